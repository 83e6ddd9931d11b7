#pragma once
// The pictures of IMG tags in a message window's text, taken from the image
// cache under the window's name as owner. The cache knows an owner once per
// file, so every glyph showing the same file shares one image list here;
// each keeps its own place in the animation.

#include <map>
#include <memory>
#include <string>

#include "objects/rivo_image_list.h"
#include "text/inline_image.h"

namespace rivo {

class TRivoInlineImages : public InlineImageSource {
 public:
  // screen and owner must outlive the source and every picture it gives.
  TRivoInlineImages(TRivoBaseList& screen, const TRivoObject& owner) : screen_(screen), owner_(owner) {}
  std::unique_ptr<InlineImage> Load(std::string_view source) override;

 private:
  TRivoBaseList& screen_;
  const TRivoObject& owner_;
  std::map<std::string, std::weak_ptr<TRivoImageList>, std::less<>> lists_;
};

}  // namespace rivo
