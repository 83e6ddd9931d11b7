#pragma once
// TDIBX: a surface in plain memory, its pixels held by a TDIBSurface store
// (owned, or borrowed from someone who keeps it alive). The player draws
// into 32-bit surfaces (bytes B, G, R, 0) and 8-bit mask, coverage and index
// surfaces; other formats can be stored and converted but not drawn on.

#include <memory>
#include <string>
#include <string_view>

#include "graphics/custom_dibx.h"
#include "graphics/dib_surface.h"

namespace rivo {

class TDIBX : public TCustomDIBX {
 public:
  TDIBX();
  // Works on store without owning it; store must outlive this surface.
  explicit TDIBX(TDIBSurface& borrowed_store);

  int32_t BitCount() const override { return store_->EffectiveBitCount(); }
  int32_t StoredBitCount() const { return store_->BitCount(); }
  uint32_t RedMask() const override { return BitCount() > 8 ? store_->Format().red_mask : 0; }
  uint32_t GreenMask() const override { return BitCount() > 8 ? store_->Format().green_mask : 0; }
  uint32_t BlueMask() const override { return BitCount() > 8 ? store_->Format().blue_mask : 0; }
  void SetSize(int32_t width, int32_t height, int32_t bit_count) override;
  // SetSize for a caller that writes every byte of the store's rows at once
  // (TDIB::SetSizeForOverwrite).
  void SetSizeForOverwrite(int32_t width, int32_t height, int32_t bit_count);
  // Width and height 0; the store shrinks to 8 x 8.
  void FreeImage();

  int64_t ColorToPixel(int64_t color) const override;
  uint32_t GetPixel(int32_t x, int32_t y) const override { return store_->ReadPixel(x, y); }
  void SetPixel(int32_t x, int32_t y, uint32_t value) override;

  // Fills the whole store, whatever the clip.
  void Clear(uint32_t value) override;
  void Assign(const TCustomDIBX& source) override;

  // The surface takes picture's size, keeping its own bit count, and the
  // picture's pixels converted to it (palette pictures through the palette).
  void CopyFromPicture(const TDIB& picture);
  // A bitmap file read into this surface as CopyFromPicture does; an empty
  // picture leaves the surface unchanged. Damage raises LoadError.
  void LoadFromBitmap(std::string_view bytes, const std::string& name);
  // The surface as a 24-bit bitmap file.
  std::string SaveToBitmap() const;

  TDIBSurface& Store() { return *store_; }
  const TDIBSurface& Store() const { return *store_; }

  void Execute(const RasterOp& op) override;
  TPixelSource SourcePixels() const override;

 private:
  std::unique_ptr<TDIBSurface> owned_;
  TDIBSurface* store_;
};

}  // namespace rivo
