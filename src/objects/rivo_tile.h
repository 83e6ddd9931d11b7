#pragma once
// TRivoTile (LT_TILE, made by TileNew): a rectangle covered with copies of
// a picture, one per pitch (the picture's size or the larger distance),
// shifted by the scroll offsets, zoomed, mirrored and with an opacity. Its
// frames loop. It sits at Left/Top in its parent (offsets and zoom do not
// move it) and its size is only what it is given.

#include <cstdint>
#include <string>

#include "objects/rivo_custom_images.h"

namespace rivo {

class TRivoTile : public TRivoCustomImages {
 public:
  explicit TRivoTile(TRivoBaseList& owner) : TRivoCustomImages(owner) {}

  static const PropertyAccessors& ClassProperties();
  const PropertyAccessors& Properties() const override { return ClassProperties(); }
  int32_t GetCompoType() const override { return LT_TILE; }
  const std::string& IdlePage() const override { return OnIdle; }

  const std::string& GetSource() const { return source_; }
  void SetSource(std::string_view name);
  bool GetRepeat() const { return true; }
  int32_t GetScrollX() const override { return scroll_x_; }
  void SetScrollX(int32_t v);
  int32_t GetScrollY() const override { return scroll_y_; }
  void SetScrollY(int32_t v);
  int32_t GetDistanceX() const { return distance_x_; }
  void SetDistanceX(int32_t v);
  int32_t GetDistanceY() const { return distance_y_; }
  void SetDistanceY(int32_t v);
  std::string OnIdle;

  // A given size is the tile's size: it freezes no zoom.
  void SetWidth(int32_t v) override { TRivoControl::SetWidth(v); }
  void SetHeight(int32_t v) override { TRivoControl::SetHeight(v); }
  void UpdateSize() override {}
  int32_t AbsLeft() const override;
  int32_t AbsTop() const override;
  TRect GetScreenRect() const override { return TRivoControl::GetScreenRect(); }
  TRivoControl* HitTest(int32_t x, int32_t y, HitModes modes) override {
    return TRivoControl::HitTest(x, y, modes);
  }
  void Draw(TCustomDIBX& target) override;
  // Only a plain pattern (whole-size, unzoomed, opaque and unkeyed copies)
  // writes every pixel of the tile.
  bool FillsOpaquely() const override;

  void SaveToStream(ByteWriter& out) const override;
  void LoadFromStream(ByteReader& in, int32_t version) override;

 protected:
  TRivoImageList* CurrentList() override { return &list_; }
  bool LoopsFrames() const override { return true; }
  void ReloadLists() override;
  void ReleaseLists() override { list_.Clear(); }

 private:
  void LoadList();
  // The picture is repeated as it is, side by side, over the whole tile:
  // nothing under the tile shows.
  bool PlainPattern(const TCustomDIBX* picture) const;

  TRivoImageList list_;
  std::string source_;
  int32_t scroll_x_ = 0, scroll_y_ = 0;
  int32_t distance_x_ = 0, distance_y_ = 0;
};

}  // namespace rivo
