#include "graphics/bgrx_simd.h"

#include <vector>

#include "graphics/row_kernels.h"

namespace rivo {

#if defined(__x86_64__) || defined(_M_X64)
BgrxKernelSet BgrxSse2Kernels();
BgrxKernelSet BgrxAvx2Kernels();
#endif

namespace {

void ScalarBlend(uint32_t* d, const uint32_t* s, int32_t n, uint32_t w, RowKey key, bool skip) {
  ScalarRows<Bgrx32>::Blend(d, s, n, 1, w, key, skip);
}
void ScalarAdd(uint32_t* d, const uint32_t* s, int32_t n, uint32_t w, RowKey key) {
  ScalarRows<Bgrx32>::Add(d, s, n, 1, w, key);
}
void ScalarCopyKeyed(uint32_t* d, const uint32_t* s, int32_t n, RowKey key) {
  ScalarRows<Bgrx32>::CopyKeyed(d, s, n, 1, key);
}
void ScalarMaskBlend(uint32_t* d, const uint32_t* s, const uint8_t* m, const RowBlock& block, MaskRule rule,
                     bool skip) {
  ScalarRows<Bgrx32>::MaskBlendBlock(d, s, m, block, 1, rule, skip);
}
void ScalarMaskAdd(uint32_t* d, const uint32_t* s, const uint8_t* m, int32_t n, MaskRule rule) {
  ScalarRows<Bgrx32>::MaskAdd(d, s, m, n, 1, rule);
}
void ScalarFillMask(uint32_t* d, const uint8_t* m, int32_t n, uint32_t c, MaskRule rule) {
  ScalarRows<Bgrx32>::FillMask(d, m, n, 1, c, rule);
}
void ScalarFill(uint32_t* d, int32_t n, uint32_t c) { ScalarRows<Bgrx32>::Fill(d, n, c); }
void ScalarFillBlend(uint32_t* d, int32_t n, uint32_t c, uint32_t w) {
  ScalarRows<Bgrx32>::FillBlend(d, n, c, w);
}
void ScalarFillAdd(uint32_t* d, int32_t n, uint32_t c) { ScalarRows<Bgrx32>::FillAdd(d, n, c); }
void ScalarBlendOnto(uint32_t* out, const uint32_t* under, const uint32_t* s, int32_t n, uint32_t w) {
  ScalarRows<Bgrx32>::BlendOnto(out, under, s, n, w);
}
void ScalarMaskBlendOnto(uint32_t* out, const uint32_t* under, const uint32_t* s, const uint8_t* m, int32_t n,
                         MaskRule rule) {
  ScalarRows<Bgrx32>::MaskBlendOnto(out, under, s, m, n, rule);
}
void ScalarFillAddOnto(uint32_t* out, const uint32_t* under, int32_t n, uint32_t c) {
  ScalarRows<Bgrx32>::FillAddOnto(out, under, n, c);
}
void ScalarFillSubOnto(uint32_t* out, const uint32_t* under, int32_t n, uint32_t c) {
  ScalarRows<Bgrx32>::FillSubOnto(out, under, n, c);
}
void ScalarSelectOnto(uint32_t* out, const uint32_t* under, const uint32_t* s, const uint8_t* m, int32_t n) {
  ScalarRows<Bgrx32>::SelectOnto(out, under, s, m, n);
}

// Built once: the sets this processor runs, best last.
const std::vector<BgrxKernelSet>& AvailableSets() {
  static const std::vector<BgrxKernelSet> sets = [] {
    std::vector<BgrxKernelSet> v{{"scalar", ScalarBlend, ScalarAdd, ScalarCopyKeyed,
                                  ScalarMaskBlend, ScalarMaskAdd, ScalarFillMask,
                                  ScalarFill, ScalarFillBlend, ScalarFillAdd, ScalarBlendOnto,
                                  ScalarMaskBlendOnto, ScalarFillAddOnto, ScalarFillSubOnto,
                                  ScalarSelectOnto}};
#if defined(__x86_64__) || defined(_M_X64)
    v.push_back(BgrxSse2Kernels());
    if (__builtin_cpu_supports("avx2")) v.push_back(BgrxAvx2Kernels());
#endif
    return v;
  }();
  return sets;
}

}  // namespace

const BgrxKernelSet& BgrxKernels() {
  static const BgrxKernelSet& best = AvailableSets().back();
  return best;
}

int BgrxKernelSetCount() { return static_cast<int>(AvailableSets().size()); }

const BgrxKernelSet& BgrxKernelSetAt(int index) { return AvailableSets()[static_cast<std::size_t>(index)]; }

}  // namespace rivo
