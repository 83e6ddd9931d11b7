#pragma once
// TCustomWipe: a screen transition. It owns no pictures: each Step writes
// the whole destination (the screen's back buffer) from the old and the new
// picture for the current time, so any time can be shown in any order.
//
// The order of use: create (the factory), SetParams with the defaults,
// SetDuration, SetReverse, SetParam for the Flip's own parameters (these are
// clamped), SetMaskName, Init; then SetTime and Step once per frame. Every
// setter makes the next Step prepare again, so a wipe whose parameters
// change while it runs (film tracks) stays consistent.
//
// The three pictures must share one size and be 32-bit (the screen's
// format); otherwise Step reports done at once and draws nothing.

#include <cstdint>
#include <optional>
#include <string>

#include "graphics/dib_surface.h"
#include "graphics/dibx.h"
#include "graphics/rect.h"

namespace rivo {

// Where the mask-picture wipes find their pictures. The player answers with
// the first frame of a layered image from the game's files; tools with a
// picture file.
class TWipeMaskSource {
 public:
  virtual ~TWipeMaskSource() = default;
  // The named picture, or nothing when there is none (the wipes then act
  // as if every mask pixel were white).
  virtual std::optional<TDIBSurface> FindMaskPicture(const std::string& name) const = 0;
};

// What a wipe takes from the player besides its pictures.
struct TWipeEnvironment {
  const TWipeMaskSource* masks = nullptr;  // none: every mask picture is missing
  uint32_t seed = 0;                       // the random order of random blocks and falling tiles
};

class TCustomWipe {
 public:
  TCustomWipe(TDIBX& dest, const TCustomDIBX& new_picture, const TCustomDIBX& old_picture,
              const TWipeEnvironment& environment);
  TCustomWipe(const TCustomWipe&) = delete;
  TCustomWipe& operator=(const TCustomWipe&) = delete;
  virtual ~TCustomWipe() = default;

  virtual void SetReverse(bool reverse);
  bool Reverse() const { return reverse_; }
  // Parameter 0 or 1 (0 for other indices).
  int32_t GetParam(int32_t index) const;
  // The Flip's own parameters: the wipe's clamps apply (ClampParam).
  void SetParam(int32_t index, int32_t value);
  // Both parameters as they are (defaults, film tracks): every wipe copes
  // with zero and negative values itself.
  void SetParams(int32_t p0, int32_t p1);
  void SetMaskName(const std::string& name);
  const std::string& MaskName() const { return mask_name_; }
  // At least 1 ms.
  void SetDuration(int32_t ms);
  int32_t Duration() const { return duration_; }
  // Negative times count as 0.
  void SetTime(int32_t ms);
  int32_t Time() const { return time_; }

  // Precomputes what the wipe needs (masks, maps, tables, tile orders).
  void Init();
  // Draws the frame of the current time and returns false; returns true
  // without drawing once the time has reached the duration.
  bool Step();
  // What the last Step wrote (always the whole destination), empty before.
  TRect ChangedRect() const { return changed_; }
  // Step would draw the old picture as it stands, whole (a fade's first
  // moments): a screen that shows the old picture already need not draw.
  bool ShowsOldPicture();

 protected:
  virtual int32_t ClampParam(int32_t index, int32_t value) const { return value; }
  virtual void Prepare() {}
  // The frame of Time(); the pictures are known to match the destination.
  virtual void Draw() = 0;
  // The frame of Time() is the old picture unchanged; 0 <= t < T.
  virtual bool DrawsOldPicture() const { return false; }
  // The destination becomes under with over drawn at (x, y) at alpha, as
  // Assign(under) then DrawAlpha(x, y, alpha, no key) give it, in one pass
  // that reads each picture once and writes each pixel once. Both pictures
  // have the destination's size and format.
  void CrossFade(const TCustomDIBX& under, const TCustomDIBX& over, int32_t x, int32_t y, int32_t alpha);
  // The destination becomes picture with grey (a pixel of the destination's
  // format) added to each byte, or taken away when darken, saturating: as
  // Assign then FillRectAdd or FillRectSub over the whole screen, in one pass.
  void Tint(const TCustomDIBX& picture, uint32_t grey, bool darken);

  // The screen's size, kept for the inner loops while Prepare and Draw run.
  int32_t W() const { return width_; }
  int32_t H() const { return height_; }
  int32_t P0() const { return p0_; }
  int32_t P1() const { return p1_; }
  // t and T of the formulas; T >= 1 and 0 <= t < T inside Draw.
  int64_t t() const { return time_; }
  int64_t T() const { return duration_; }

  TDIBX& dest_;
  const TCustomDIBX& new_;
  const TCustomDIBX& old_;
  const TWipeEnvironment environment_;

 private:
  // Also records the size.
  bool PicturesFit();

  bool reverse_ = false;
  std::string mask_name_;
  int32_t duration_ = 1;
  int32_t time_ = 0;
  int32_t p0_ = 0, p1_ = 0;
  bool prepared_ = false;
  TRect changed_;
  int32_t width_ = 0, height_ = 0;
};

}  // namespace rivo
