#pragma once
// TRivoCustomImage: what every picture control shares. It shows a surface
// (its own, or the override a subclass points at the current frame) with a
// zoom, a rotation about its reference point, flips and an opacity code,
// and can be hit only where its mask is opaque. While it has no motion its
// size follows the picture (times the zoom); an explicit width or height
// freezes that side (zoom 0) and stretches the picture to it.

#include <cstdint>

#include "graphics/dibx.h"
#include "graphics/orba_collection.h"
#include "graphics/rotation.h"
#include "objects/rivo_control.h"

namespace rivo {

class TRivoCustomImage : public TRivoControl {
 public:
  explicit TRivoCustomImage(TRivoBaseList& owner) : TRivoControl(owner) {}

  static const PropertyAccessors& ClassProperties();
  const PropertyAccessors& Properties() const override { return ClassProperties(); }

  // --- the picture
  // The control's own picture (the frozen screen of a flip, a brightness copy).
  TDIBX Surface;
  // The override when set, else the own surface; nullptr when neither has pixels.
  const TCustomDIBX* GetSurface() const;
  void SetSurfaceOverride(const TCustomDIBX* surface) { surface_override_ = surface; }
  // The cached frame whose mask belongs to the shown picture (the override wins).
  void SetImageItem(const TOrbaItemFrame* item) { image_item_ = item; }
  void SetItemOverride(const TOrbaItemFrame* item) { item_override_ = item; }
  // The shown frame's 8-bit mask, or nullptr (then the picture is keyed).
  const TCustomDIBX* GetMask() const;
  int32_t GetOrigWidth() const;
  int32_t GetOrigHeight() const;

  // --- appearance
  int32_t GetAlpha() const { return alpha_; }
  void SetAlpha(int32_t v);
  // 256 = 1:1; 0 after an explicit size; a value <= 0 set here is stored as 1.
  int32_t GetZoomX() const final { return zoom_x_; }
  void SetZoomX(int32_t v);
  int32_t GetZoomY() const final { return zoom_y_; }
  void SetZoomY(int32_t v);
  int32_t GetAngle() const { return angle_; }
  void SetAngle(int32_t v);
  bool GetFlipH() const final { return flip_h_; }
  void SetFlipH(bool v);
  bool GetFlipV() const final { return flip_v_; }
  void SetFlipV(bool v);
  bool GetCaptureMask() const { return capture_mask_; }
  void SetCaptureMask(bool v) { capture_mask_ = v; }
  void SetPosZoomedProp(bool v);

  // --- size
  // An explicit size: the side is frozen (zoom 0) and the picture stretched.
  void SetWidth(int32_t v) override;
  void SetHeight(int32_t v) override;
  bool SizeDirty = false;
  // The automatic size: the shown picture times the zoom on each side
  // that is not frozen (in the parent's picture scale for zoomed children).
  virtual void UpdateSize();
  // The zoom marks this control and its zoomed children for a new size.
  void MarkSizeDirty();

  // --- geometry
  int32_t AbsLeft() const override;
  int32_t AbsTop() const override;
  TRect GetScreenRect() const override;
  // Which picture pixel shows at base point (x, y): false outside the
  // picture. Drawing, the bounding box and this mapping share the
  // rotation's fixed-point steps, so what is hit is what is drawn.
  bool PicturePixelAt(int32_t x, int32_t y, int32_t& px, int32_t& py) const;

  void Draw(TCustomDIBX& surface) override;
  // An unturned picture of the control's size, copied whole (opaque, no
  // mask, no transparent colour, no parts left out).
  bool FillsOpaquely() const override;
  TRivoControl* HitTest(int32_t x, int32_t y, HitModes modes) override;
  bool Tick() override;

  void SaveToStream(ByteWriter& out) const override;
  void LoadFromStream(ByteReader& in, int32_t version) override;

 protected:
  bool IsTurned() const { return angle_ != 0; }
  // Drawn over the picture, under the children (a button's caption).
  virtual void DrawOverPicture(TCustomDIBX& target) {}
  // The opacity code to draw with (512 and above add at full strength).
  int32_t AlphaCode() const { return alpha_ > 511 ? 511 : alpha_; }

 private:
  // The rotation as drawn: pivot mirrored on flipped sides, frozen sides
  // at the zoom their stretch amounts to.
  TRotation Rotation(const TCustomDIBX& picture) const;
  // The parent whose picture scale places this control, or nullptr when
  // the ordinary coordinate rule applies; scale: parent picture pixels per
  // base pixel in 16.16.
  const TRivoCustomImage* ScaleParent(bool vertical, int64_t& scale) const;
  // The zoomed child's base-pixel start and length on one axis.
  bool ScaledSpan(bool vertical, int64_t& start, int64_t& length) const;
  // The picture unturned, its top-left corner at (x, y); turned, about the
  // reference point.
  void DrawPicture(TCustomDIBX& target, const TCustomDIBX& picture, int32_t x, int32_t y);
  void DrawTurned(TCustomDIBX& target, const TCustomDIBX& picture);
  bool HasPicture(const TCustomDIBX* picture) const {
    return picture && !picture->IsEmpty() && alpha_ >= 1 && GetWidth() >= 1 && GetHeight() >= 1;
  }

  const TCustomDIBX* surface_override_ = nullptr;
  const TOrbaItemFrame* image_item_ = nullptr;
  const TOrbaItemFrame* item_override_ = nullptr;
  int32_t alpha_ = 255;
  int32_t zoom_x_ = 256, zoom_y_ = 256;
  int32_t angle_ = 0;
  bool flip_h_ = false, flip_v_ = false;
  bool capture_mask_ = false;
};

}  // namespace rivo
