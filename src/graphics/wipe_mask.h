#pragma once
// TWipeMask: the base of the transitions that work through an 8-bit mask
// as wide as the screen and MaskHeight rows high (screen row y uses mask row
// y mod MaskHeight): 0 shows the old picture, 255 the new one, values in
// between blend them. The mask is rewritten only when the wipe's phase
// changes, and the screen is then rebuilt in one pass.

#include <cstdint>

#include "graphics/custom_wipe.h"

namespace rivo {

class TWipeMask : public TCustomWipe {
 public:
  using TCustomWipe::TCustomWipe;

 protected:
  // Mask wipes need slats and cells of two pixels at least, and a ramp of
  // one step at least.
  int32_t ClampParam(int32_t index, int32_t value) const override;
  // Sizes the mask, clears it and forgets the phase; then PrepareMask.
  void Prepare() override;
  void Draw() override;

  virtual int32_t MaskHeight() const { return H(); }
  virtual void PrepareMask() {}
  // A number that changes exactly when the mask must change.
  virtual int64_t Phase() const = 0;
  // Rewrites the whole mask for phase and says whether its edge is hard
  // (every pixel either old or new).
  virtual bool WriteMask(int64_t phase) = 0;
  // Stores the new phase and rewrites the mask when it changed.
  bool UpdateMask();

  // The slat width and ramp length as the mask wipes use them, whatever was
  // stored (defaults are stored without clamps).
  int32_t Slat() const;
  int32_t Ramp() const;

  uint8_t* MaskRow(int32_t y) { return mask_bits_ + mask_pitch_ * y; }
  void FillMaskRect(TRect r, uint8_t value);
  int32_t MaskRows() const { return mask_rows_; }

 private:
  void Compose();

  TDIBX mask_;
  uint8_t* mask_bits_ = nullptr;
  std::ptrdiff_t mask_pitch_ = 0;
  int32_t mask_rows_ = 0;
  int64_t last_phase_ = -1;
  bool hard_edge_ = false;
};

}  // namespace rivo
