#pragma once
// The transitions that work on whole pictures (fades, scrolls, flashes,
// mosaic, sudare, spotlight, mask white and black, shrinking and growing,
// ripple, blurs, twists, falling tiles, zoom-in, rubber). The formulas are
// in the .cpp files; t is the time, T the duration, W and H the screen.

#include <cstdint>
#include <vector>

#include "graphics/custom_wipe.h"

namespace rivo {

// New fades in over old, sliding in from the offset (P0, P1).
class TWipeFade : public TCustomWipe {
 public:
  using TCustomWipe::TCustomWipe;

 protected:
  void Draw() override;
  // Until new's alpha reaches 1, wherever it slides.
  bool DrawsOldPicture() const override { return 256 * t() / T() == 0; }
};

// New pushes old out to the left (reversed: to the right); ScrollV upwards
// (reversed: downwards).
class TWipeScrollH : public TCustomWipe {
 public:
  using TCustomWipe::TCustomWipe;

 protected:
  void Draw() override;
  virtual bool Vertical() const { return false; }
};
class TWipeScrollV : public TWipeScrollH {
 public:
  using TWipeScrollH::TWipeScrollH;

 protected:
  bool Vertical() const override { return true; }
};

// Old turns white, then new comes out of the white; Black through black.
class TWipeWhite : public TCustomWipe {
 public:
  using TCustomWipe::TCustomWipe;

 protected:
  void Draw() override;
  virtual bool Darkens() const { return false; }
};
class TWipeBlack : public TWipeWhite {
 public:
  using TWipeWhite::TWipeWhite;

 protected:
  bool Darkens() const override { return true; }
};

// New appears white and settles to its colours.
class TWipeFlash : public TCustomWipe {
 public:
  using TCustomWipe::TCustomWipe;

 protected:
  void Draw() override;
};

// Old breaks into coarser blocks, new takes over, and its blocks refine.
class TWipeMosaic : public TCustomWipe {
 public:
  using TCustomWipe::TCustomWipe;

 protected:
  void Prepare() override;
  void Draw() override;

 private:
  // Shrinks picture to a w x h corner of the work surface and stretches
  // that over the screen with alpha.
  void Blocky(const TCustomDIBX& picture, int32_t w, int32_t h, int32_t alpha);
  TDIBX work_;
};

// One column of the picture is drawn out over the columns before it (after
// it when reversed), sweeping across old and back across new. Rubber
// stretches a strip that is widest at the start and the end instead.
class TWipeSudareH : public TCustomWipe {
 public:
  using TCustomWipe::TCustomWipe;

 protected:
  void Draw() override;
  virtual bool Vertical() const { return false; }
  // How many more columns than the one at a the stretched strip holds.
  virtual int64_t StripExtra(int64_t a) const { return 0; }

 private:
  // Columns (rows when vertical) [from, to) across the whole picture.
  TRect Band(int64_t from, int64_t to) const;
};
class TWipeSudareV : public TWipeSudareH {
 public:
  using TWipeSudareH::TWipeSudareH;

 protected:
  bool Vertical() const override { return true; }
};
class TWipeRubberH : public TWipeSudareH {
 public:
  using TWipeSudareH::TWipeSudareH;

 protected:
  int64_t StripExtra(int64_t a) const override;
};
class TWipeRubberV : public TWipeRubberH {
 public:
  using TWipeRubberH::TWipeRubberH;

 protected:
  bool Vertical() const override { return true; }
};

// A bright ring grows from the centre (reversed: closes on it): old turns
// white inside it and new comes out of the white.
class TWipeSpot : public TCustomWipe {
 public:
  using TCustomWipe::TCustomWipe;

 protected:
  void Prepare() override;
  void Draw() override;

 private:
  std::vector<int32_t> distance_;
  int64_t range_ = 0;
};

// Mask white: the mask picture's bright pixels go white first, then show
// new out of the white. Mask black goes through black.
class TWipeShadowWhite : public TCustomWipe {
 public:
  using TCustomWipe::TCustomWipe;

 protected:
  void Prepare() override;
  void Draw() override;
  virtual bool Darkens() const { return false; }

 private:
  std::vector<int16_t> offsets_;
};
class TWipeShadowBlack : public TWipeShadowWhite {
 public:
  using TWipeShadowWhite::TWipeShadowWhite;

 protected:
  bool Darkens() const override { return true; }
};

// Old shrinks and fades away over new, turning by P0 (of 256 per turn).
class TWipeSmall : public TCustomWipe {
 public:
  using TCustomWipe::TCustomWipe;

 protected:
  void Draw() override;
};
// New grows and fades in over old, turning from P0 back to 0.
class TWipeBig : public TCustomWipe {
 public:
  using TCustomWipe::TCustomWipe;

 protected:
  void Draw() override;
};

// A ring wave runs out from the centre, showing new distorted by P0 pixels
// inside the ring.
class TWipeRipple : public TCustomWipe {
 public:
  using TCustomWipe::TCustomWipe;

 protected:
  void Prepare() override;
  void Draw() override;

 private:
  struct QuadrantPixel {
    int32_t distance;
    int32_t cos16, sin16;  // direction from the centre, 16.16
  };
  int32_t quadrant_w_ = 0, quadrant_h_ = 0;
  std::vector<QuadrantPixel> quadrant_;
  std::vector<int32_t> ring_;
};

// Old blurs, goes white, and new comes out of the white as a blur that
// sharpens. Black through black.
class TWipeBlurWhite : public TCustomWipe {
 public:
  using TCustomWipe::TCustomWipe;

 protected:
  void Prepare() override;
  void Draw() override;
  virtual bool Darkens() const { return false; }

 private:
  TDIBX blurred_old_, blurred_new_;
  bool blurred_ = false;
};
class TWipeBlurBlack : public TWipeBlurWhite {
 public:
  using TWipeBlurWhite::TWipeBlurWhite;

 protected:
  bool Darkens() const override { return true; }
};

// Each row turns over like a card about the vertical axis, old on the front
// and new on the back, the turn running down the screen (up when reversed).
// TwistV turns columns.
class TWipeTwistH : public TCustomWipe {
 public:
  using TCustomWipe::TCustomWipe;

 protected:
  void Draw() override;
  virtual bool Vertical() const { return false; }
};
class TWipeTwistV : public TWipeTwistH {
 public:
  using TWipeTwistH::TWipeTwistH;

 protected:
  bool Vertical() const override { return true; }
};

// Old breaks into square tiles (P0 pixels, 16 at least) that hop and fall
// off the screen one after the other, P1 ms apart, over new.
class TWipeCrack : public TCustomWipe {
 public:
  using TCustomWipe::TCustomWipe;

 protected:
  void Prepare() override;
  void Draw() override;

 private:
  // TWipeCrackDraw: one falling tile.
  struct Tile {
    TRect place;
    int64_t start = 0;
    int32_t drift = 0;  // -100..99: sideways pixels per 100 steps
  };
  std::vector<Tile> tiles_;
  int64_t fall_ = 0;  // E: the steps a tile takes to leave the screen
  int64_t interval_ = 0;
};

// The view zooms into the point (P0, P1) of old and out of it on new.
class TWipeZoomin : public TCustomWipe {
 public:
  using TCustomWipe::TCustomWipe;

 protected:
  void Draw() override;
};

}  // namespace rivo
