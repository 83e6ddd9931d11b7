#pragma once
// The pictures of IMG tags in a message window's text, taken from the image
// cache. Every glyph showing the same file shares one image list here, so a
// page of repeated pictures holds one copy; each glyph keeps its own place
// in the animation.

#include <map>
#include <memory>
#include <string>

#include "objects/rivo_image_list.h"
#include "text/inline_image.h"

namespace rivo {

class TRivoInlineImages : public InlineImageSource {
 public:
  // screen must outlive the source and every picture it gives.
  explicit TRivoInlineImages(TRivoBaseList& screen) : screen_(screen) {}
  std::unique_ptr<InlineImage> Load(std::string_view source) override;

 private:
  TRivoBaseList& screen_;
  std::map<std::string, std::weak_ptr<TRivoImageList>, std::less<>> lists_;
};

}  // namespace rivo
