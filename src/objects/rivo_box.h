#pragma once
// TRivoBox (LT_BOX): a rectangle filled with the control's colour, with an
// optional border, drawn opaque, translucent or additive by its opacity
// code. Its source may name a film that moves it (kept for the films).

#include <cstdint>
#include <string>

#include "objects/rivo_control.h"

namespace rivo {

class TRivoBox : public TRivoControl {
 public:
  explicit TRivoBox(TRivoBaseList& owner) : TRivoControl(owner) {}

  static const PropertyAccessors& ClassProperties();
  const PropertyAccessors& Properties() const override { return ClassProperties(); }
  int32_t GetCompoType() const override { return LT_BOX; }

  int32_t GetBorderWidth() const { return border_width_; }
  void SetBorderWidth(int32_t v);
  int32_t GetBorderColor() const { return border_color_; }
  void SetBorderColor(int32_t v);
  // 1..254 blends, 255 is opaque, 256..511 adds with strength code - 256;
  // 0 and 512 or more draw nothing.
  int32_t GetAlpha() const { return alpha_; }
  void SetAlpha(int32_t v);
  const std::string& GetSource() const { return source_; }
  void SetSource(std::string_view film);
  bool GetRepeat() const { return repeat_; }
  void SetRepeat(bool v) { repeat_ = v; }
  bool GetPaused() const { return paused_; }
  void SetPaused(bool v) { paused_ = v; }
  bool IsPaused() const override { return paused_; }
  const std::string& IdlePage() const override { return OnIdle; }

  std::string OnIdle, OnPlayEnd;
  bool AutoScrap = false;

  void Draw(TCustomDIBX& surface) override;
  bool FillsOpaquely() const override { return alpha_ == 255 && border_width_ <= 0 && GetColor() >= 0; }

  void SaveToStream(ByteWriter& out) const override;
  void LoadFromStream(ByteReader& in, int32_t version) override;

 private:
  int32_t border_width_ = 0;
  int32_t border_color_ = -1;
  int32_t alpha_ = 255;
  std::string source_;
  bool repeat_ = false;
  bool paused_ = false;
};

}  // namespace rivo
