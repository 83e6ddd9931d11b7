#pragma once
// TRivoImage: a single picture of any format the image cache reads, shown
// at a brightness (255 as it is, lower values darker). It has no object
// type of its own; films show their still pictures through it.

#include <cstdint>
#include <string>

#include "objects/rivo_custom_image.h"
#include "objects/rivo_image_list.h"

namespace rivo {

class TRivoImage : public TRivoCustomImage {
 public:
  explicit TRivoImage(TRivoBaseList& owner) : TRivoCustomImage(owner) {}

  static const PropertyAccessors& ClassProperties();
  const PropertyAccessors& Properties() const override { return ClassProperties(); }

  const std::string& GetSource() const { return source_; }
  void SetSource(std::string_view name);
  // Kept within 0..255.
  int32_t GetBrightness() const { return brightness_; }
  void SetBrightness(int32_t v);

  void ReleaseSurfaces() override;
  void RestoreSurfaces() override;

  void SaveToStream(ByteWriter& out) const override;
  void LoadFromStream(ByteReader& in, int32_t version) override;

 private:
  // Shows the first frame at the brightness (a darkened copy below 255).
  void ShowPicture();
  void DropPicture();

  std::string source_;
  int32_t brightness_ = 255;
  TRivoImageList list_;
};

}  // namespace rivo
