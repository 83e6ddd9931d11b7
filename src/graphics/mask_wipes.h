#pragma once
// The transitions that work through a mask (TWipeMask): blinds, curtains,
// the three grids, dither, mask fade, clock hand, fan, double fan, circle,
// block coil and random blocks. Each computes a phase from the time and
// writes the mask for it; the formulas are in the .cpp files.

#include <cstdint>
#include <vector>

#include "graphics/wipe_mask.h"

namespace rivo {

// Slats of P0 columns opening one column after the other, each column's
// change taking P1 phase steps (hard-edged when P1 < 2).
class TWipeBlindH : public TWipeMask {
 public:
  using TWipeMask::TWipeMask;

 protected:
  int32_t MaskHeight() const override { return 1; }
  int64_t Phase() const override;
  bool WriteMask(int64_t phase) override;
};

// The same with slats of rows. The mask need not be taller than the screen.
class TWipeBlindV : public TWipeMask {
 public:
  using TWipeMask::TWipeMask;

 protected:
  int32_t MaskHeight() const override;
  int64_t Phase() const override;
  bool WriteMask(int64_t phase) override;
};

// Curtains: columns (rows) open in the order of their group and their place
// in it, sixteen phase steps apart.
class TWipeOrderHMask : public TWipeMask {
 public:
  using TWipeMask::TWipeMask;

 protected:
  int32_t ClampParam(int32_t index, int32_t value) const override;
  int32_t MaskHeight() const override { return Vertical() ? H() : 1; }
  int64_t Phase() const override;
  bool WriteMask(int64_t phase) override;
  virtual bool Vertical() const { return false; }

 private:
  // The mask value of column (row) i of length screen pixels.
  uint8_t Level(int64_t phase, int32_t i, int32_t length) const;
};
class TWipeOrderVMask : public TWipeOrderHMask {
 public:
  using TWipeOrderHMask::TWipeOrderHMask;

 protected:
  bool Vertical() const override { return true; }
};
class TWipeCurtainH : public TWipeOrderHMask {
 public:
  using TWipeOrderHMask::TWipeOrderHMask;
};
class TWipeCurtainV : public TWipeOrderVMask {
 public:
  using TWipeOrderVMask::TWipeOrderVMask;
};

// Cells of P0 x P0 pixels whose squares grow from their centres, in the
// order of their distance from the top-left corner (Grid), their column
// (GridH) or their row (GridV).
class TWipeGrid : public TWipeMask {
 public:
  using TWipeMask::TWipeMask;

 protected:
  int64_t Phase() const override;
  bool WriteMask(int64_t phase) override;
  // The order of a cell and the number of orders, 4 phase steps each.
  virtual int64_t Order(int32_t row, int32_t column, int32_t rows, int32_t columns) const;
  virtual int64_t OrderSpan(int32_t rows, int32_t columns) const;
  int32_t Columns() const;
  int32_t Rows() const;
};
class TWipeGridH : public TWipeGrid {
 public:
  using TWipeGrid::TWipeGrid;

 protected:
  int32_t MaskHeight() const override;
  int64_t Order(int32_t row, int32_t column, int32_t rows, int32_t columns) const override;
  int64_t OrderSpan(int32_t rows, int32_t columns) const override;
};
class TWipeGridV : public TWipeGrid {
 public:
  using TWipeGrid::TWipeGrid;

 protected:
  int64_t Order(int32_t row, int32_t column, int32_t rows, int32_t columns) const override;
  int64_t OrderSpan(int32_t rows, int32_t columns) const override;
};

// The 4096 pixels of a 64 x 64 block turn in a fixed shuffled order.
class TWipeDither : public TWipeMask {
 public:
  using TWipeMask::TWipeMask;

 protected:
  int32_t MaskHeight() const override { return 64; }
  void PrepareMask() override;
  int64_t Phase() const override;
  bool WriteMask(int64_t phase) override;

 private:
  std::vector<int32_t> order_;
};

// Mask fade: a grey picture decides where the new picture appears first
// (bright first); each pixel takes half the duration.
class TWipeShadow : public TWipeMask {
 public:
  using TWipeMask::TWipeMask;

 protected:
  void PrepareMask() override;
  int64_t Phase() const override;
  bool WriteMask(int64_t phase) override;

 private:
  std::vector<int16_t> offsets_;  // grey - 255 per screen pixel
};

// Pies about the screen centre: the clock hand sweeps from P0 degrees
// (clockwise from 12 o'clock; anticlockwise when reversed), the fan opens to
// both sides of that direction, the double fan also opposite it.
class TWipeSector : public TWipeMask {
 public:
  using TWipeMask::TWipeMask;

 protected:
  int64_t Phase() const override { return t(); }
  bool WriteMask(int64_t phase) override;
  // Up to two sectors (start angle, sweep) in radians for the current time.
  struct Sector {
    long double start = 0, sweep = 0;
  };
  virtual int Sectors(Sector out[2]) const = 0;
  long double StartAngle() const;
};
class TWipeClockhand : public TWipeSector {
 public:
  using TWipeSector::TWipeSector;

 protected:
  int Sectors(Sector out[2]) const override;
};
class TWipeFan : public TWipeSector {
 public:
  using TWipeSector::TWipeSector;

 protected:
  int Sectors(Sector out[2]) const override;
};
class TWipeWFan : public TWipeSector {
 public:
  using TWipeSector::TWipeSector;

 protected:
  int Sectors(Sector out[2]) const override;
};

// A disc growing from the centre (reversed: a hole closing on it).
class TWipeCircle : public TWipeMask {
 public:
  using TWipeMask::TWipeMask;

 protected:
  int64_t Phase() const override;
  bool WriteMask(int64_t phase) override;
};

// Square blocks of P0 pixels (10 at least) turning one after the other:
// in a clockwise spiral from the top-left corner (reversed: from the
// spiral's end), or in random order.
class TWipeBlocks : public TWipeMask {
 public:
  using TWipeMask::TWipeMask;

 protected:
  void PrepareMask() override;
  int64_t Phase() const override;
  bool WriteMask(int64_t phase) override;
  // The blocks, row by row.
  std::vector<TRect> BlockGrid(int32_t& columns, int32_t& rows) const;
  virtual std::vector<TRect> ListBlocks() const = 0;
  virtual bool UnwindsWhenReversed() const { return false; }

 private:
  bool Unwinds() const;

  std::vector<TRect> blocks_;
};
class TWipeBlockCoil : public TWipeBlocks {
 public:
  using TWipeBlocks::TWipeBlocks;

 protected:
  std::vector<TRect> ListBlocks() const override;
  bool UnwindsWhenReversed() const override { return true; }
};
class TWipeBlockRandom : public TWipeBlocks {
 public:
  using TWipeBlocks::TWipeBlocks;

 protected:
  std::vector<TRect> ListBlocks() const override;
};

}  // namespace rivo
