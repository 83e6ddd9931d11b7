#pragma once
// Vector kernels for forward rows of 32-bit pixels, bit for bit the scalar
// loops of row_kernels.h. SSE2 (every x86-64) or AVX2 when the processor
// has it; elsewhere the scalar loops.

#include <cstdint>

namespace rivo {

struct RowKey;
struct MaskRule;
struct RowBlock;

struct BgrxKernelSet {
  const char* name;
  void (*blend)(uint32_t* d, const uint32_t* s, int32_t n, uint32_t w, RowKey key, bool skip_equal);
  void (*add)(uint32_t* d, const uint32_t* s, int32_t n, uint32_t w, RowKey key);
  void (*copy_keyed)(uint32_t* d, const uint32_t* s, int32_t n, RowKey key);
  // Every row of the block (one call draws a glyph).
  void (*mask_blend)(uint32_t* d, const uint32_t* s, const uint8_t* m, const RowBlock& block, MaskRule rule,
                     bool skip_equal);
  void (*mask_add)(uint32_t* d, const uint32_t* s, const uint8_t* m, int32_t n, MaskRule rule);
  void (*fill_mask)(uint32_t* d, const uint8_t* m, int32_t n, uint32_t c, MaskRule rule);
  void (*fill)(uint32_t* d, int32_t n, uint32_t c);
  void (*fill_blend)(uint32_t* d, int32_t n, uint32_t c, uint32_t w);
  void (*fill_add)(uint32_t* d, int32_t n, uint32_t c);
  // Blend, mask_blend, fill_add and a saturating subtract whose destination
  // starts as a copy of under: out is written once and under read once,
  // where a copy then a blend would go over out twice (transitions compose
  // whole screens from whole pictures). Equal pixels keep under in
  // blend_onto (as blend's skip_equal), never in mask_blend_onto.
  void (*blend_onto)(uint32_t* out, const uint32_t* under, const uint32_t* s, int32_t n, uint32_t w);
  void (*mask_blend_onto)(uint32_t* out, const uint32_t* under, const uint32_t* s, const uint8_t* m, int32_t n,
                          MaskRule rule);
  void (*fill_add_onto)(uint32_t* out, const uint32_t* under, int32_t n, uint32_t c);
  void (*fill_sub_onto)(uint32_t* out, const uint32_t* under, int32_t n, uint32_t c);
  // s where the mask byte is not 0, else under (hard-edged mask wipes).
  void (*select_onto)(uint32_t* out, const uint32_t* under, const uint32_t* s, const uint8_t* m, int32_t n);
};

// The best set this processor runs (chosen once).
const BgrxKernelSet& BgrxKernels();
// Every set this processor can run, scalar first; for tests and benchmarks.
int BgrxKernelSetCount();
const BgrxKernelSet& BgrxKernelSetAt(int index);

}  // namespace rivo
