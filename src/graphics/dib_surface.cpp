#include "graphics/dib_surface.h"

#include <cstring>
#include <utility>

#include "graphics/bgrx_simd.h"
#include "graphics/placement_clip.h"

namespace rivo {
namespace {

// The 4 x 4 ordered-dither matrix of palette opacity draws: level L writes
// the pixels whose entry is <= L, L + 1 of every 16.
constexpr uint8_t kDither[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// Calls fn(dest row, source row, source mask row or null, dest x0, source
// x0, count, dest y) for each row of a clipped placement between two stores.
template <typename Fn>
void ForEachRow(TDIBSurface& dest, int32_t x, int32_t y, const TRect& source_rect,
                const TDIBSurface& source, Fn fn) {
  if (dest.IsEmpty() || source.IsEmpty() || source.BitCount() != dest.BitCount()) return;
  TPlacement p;
  if (!ClipPlacement(x, y, source_rect, false, false, source.GetBounds(), dest.GetBounds(), p))
    return;
  const TDIBSurface* mask = source.Mask();
  for (int32_t i = 0; i < p.dest.Height(); ++i) {
    const int32_t sy = p.source.Top + i;
    fn(dest.ScanLine(p.dest.Top + i), source.ScanLine(sy), mask ? mask->ScanLine(sy) : nullptr,
       p.dest.Left, p.source.Left, p.dest.Width(), p.dest.Top + i);
  }
}

uint32_t BlendBytes255(uint32_t d, uint32_t s, uint32_t a, int bytes) {
  uint32_t out = 0;
  for (int i = 0; i < bytes; ++i) {
    const uint32_t dc = (d >> (8 * i)) & 0xFF, sc = (s >> (8 * i)) & 0xFF;
    out |= ((dc * (255 - a) + sc * a) / 255) << (8 * i);
  }
  return out;
}

// Blue, green and red blended with weight w shifting by 8; the fourth byte 0.
uint32_t Blend32(uint32_t d, uint32_t s, uint32_t w) {
  return ((((d & 0xFF00FF) * (255 - w) + (s & 0xFF00FF) * w) >> 8) & 0xFF00FF) |
         ((((d & 0xFF00) * (255 - w) + (s & 0xFF00) * w) >> 8) & 0xFF00);
}

uint32_t BlendChannels(uint32_t d, uint32_t s, uint32_t w, const TPixelFormat& f, bool by_255) {
  uint32_t out = 0;
  for (uint32_t m : {f.red_mask, f.green_mask, f.blue_mask}) {
    const uint32_t sum = (d & m) * (255 - w) + (s & m) * w;
    out |= (by_255 ? sum / 255 : sum >> 8) & m;
  }
  return out;
}

}  // namespace

TDIBSurface::TDIBSurface(const TDIBSurface& other)
    : TDIB(other), mask_(other.mask_ ? std::make_unique<TDIBSurface>(*other.mask_) : nullptr) {}

TDIBSurface& TDIBSurface::operator=(const TDIBSurface& other) {
  if (this != &other) {
    TDIB::operator=(other);
    mask_ = other.mask_ ? std::make_unique<TDIBSurface>(*other.mask_) : nullptr;
  }
  return *this;
}

void TDIBSurface::SetSize(int32_t width, int32_t height, int32_t bit_count) {
  TDIB::SetSize(width, height, bit_count);
  if (mask_) mask_->SetSize(width, height, 8);
}

void TDIBSurface::SetSizeForOverwrite(int32_t width, int32_t height, int32_t bit_count) {
  TDIB::SetSizeForOverwrite(width, height, bit_count);
  if (mask_) mask_->SetSize(width, height, 8);
}

void TDIBSurface::Clear() {
  TDIB::Clear();
  mask_.reset();
}

void TDIBSurface::LoadFromStream(std::string_view bytes, const std::string& name) {
  if (bytes.empty()) return;
  TDIB::LoadFromStream(bytes, name);
  mask_.reset();
}

TDIBSurface& TDIBSurface::CreateMask() {
  if (!mask_) {
    // Grey entries, so that conversions through colour (resampling) treat
    // mask values as levels.
    mask_ = std::make_unique<TDIBSurface>();
    for (int i = 0; i < 256; ++i) {
      const auto v = static_cast<uint8_t>(i);
      mask_->Palette()[i] = {v, v, v, 0};
    }
  }
  mask_->SetSize(Width(), Height(), 8);
  return *mask_;
}

void TDIBSurface::FillMaskOpaque() {
  if (mask_) mask_->FillRect(mask_->GetBounds(), 255);
}

void TDIBSurface::CopyMaskFrom(const TDIBSurface& source) {
  TDIBSurface& mask = CreateMask();
  if (source.BitCount() != 8 || source.Width() != Width() || source.Height() != Height()) return;
  for (int32_t y = 0; y < Height(); ++y)
    std::memcpy(mask.ScanLine(y), source.ScanLine(y), static_cast<std::size_t>(Width()));
}

bool TDIBSurface::TakeFourthByteAsMask() {
  if (BitCount() != 32 || IsEmpty()) return false;
  bool any = false;
  for (int32_t y = 0; y < Height() && !any; ++y) {
    const uint8_t* row = std::as_const(*this).ScanLine(y);
    for (int32_t x = 0; x < Width() && !any; ++x) any = row[4 * x + 3] != 0;
  }
  if (!any) return false;
  TDIBSurface& mask = CreateMask();
  for (int32_t y = 0; y < Height(); ++y) {
    uint8_t* row = ScanLine(y);
    uint8_t* m = mask.ScanLine(y);
    for (int32_t x = 0; x < Width(); ++x) {
      m[x] = row[4 * x + 3];
      row[4 * x + 3] = 0;
    }
  }
  return true;
}

void TDIBSurface::FillRect(const TRect& rect, uint32_t value) {
  const TRect r = Intersect(rect, GetBounds());
  if (r.IsEmpty()) return;
  switch (EffectiveBitCount()) {
    case 1: value &= 1; break;
    case 4: value &= 0xF; break;
    case 15: value &= 0x7FFF; break;
    default: break;
  }
  for (int32_t y = r.Top; y < r.Bottom; ++y) {
    uint8_t* row = ScanLine(y);
    if (BitCount() == 8) {
      std::memset(row + r.Left, static_cast<int>(value & 0xFF), static_cast<std::size_t>(r.Width()));
      continue;
    }
    if (BitCount() == 32) {
      // Whole pixels at once (a text layer's clear is half a megapixel):
      // the bytes SetRowPixel writes, low byte first, as one word, by the
      // vector fill.
      BgrxKernels().fill(reinterpret_cast<uint32_t*>(row) + r.Left, r.Width(), value);
      continue;
    }
    for (int32_t x = r.Left; x < r.Right; ++x) SetRowPixel(row, x, BitCount(), value);
  }
}

void TDIBSurface::CopyRect(int32_t x, int32_t y, const TRect& source_rect,
                           const TDIBSurface& source) {
  CopyKeyed(x, y, -1, source_rect, source);
}

void TDIBSurface::CopyKeyed(int32_t x, int32_t y, int64_t key, const TRect& source_rect,
                            const TDIBSurface& source) {
  const int32_t bits = BitCount();
  ForEachRow(*this, x, y, source_rect, source,
             [&](uint8_t* d, const uint8_t* s, const uint8_t*, int32_t dx, int32_t sx, int32_t n,
                 int32_t) {
               if (key < 0 && bits >= 8) {
                 const int bytes = bits / 8;
                 std::memmove(d + dx * bytes, s + sx * bytes, static_cast<std::size_t>(n) * bytes);
                 return;
               }
               for (int32_t j = 0; j < n; ++j) {
                 const uint32_t v = RowPixel(s, sx + j, bits);
                 if (key < 0 || v != key) SetRowPixel(d, dx + j, bits, v);
               }
             });
}

void TDIBSurface::DrawOpacity(int32_t x, int32_t y, int32_t opacity, int64_t key,
                              const TRect& source_rect, const TDIBSurface& source) {
  if (opacity == 0) return;
  const int32_t bits = BitCount();
  const int32_t level = opacity / 16;
  if (opacity >= 255 || opacity < 0 || (bits <= 8 && level >= 15)) {
    CopyKeyed(x, y, key, source_rect, source);
    return;
  }
  const auto a = static_cast<uint32_t>(opacity);
  const TPixelFormat format = Format();
  ForEachRow(*this, x, y, source_rect, source,
             [&](uint8_t* d, const uint8_t* s, const uint8_t*, int32_t dx, int32_t sx, int32_t n,
                 int32_t dy) {
               for (int32_t j = 0; j < n; ++j) {
                 const uint32_t sv = RowPixel(s, sx + j, bits);
                 if (key >= 0 && sv == key) continue;
                 const int32_t X = dx + j;
                 if (bits <= 8) {
                   if (kDither[dy & 3][X & 3] <= level) SetRowPixel(d, X, bits, sv);
                   continue;
                 }
                 const uint32_t dv = RowPixel(d, X, bits);
                 uint32_t out;
                 if (bits == 16) out = BlendChannels(dv, sv, a, format, true);
                 else if (bits == 24) out = BlendBytes255(dv, sv, a, 3);
                 else out = Blend32(dv, sv, a);
                 SetRowPixel(d, X, bits, out);
               }
             });
}

void TDIBSurface::DrawThroughMask(int32_t x, int32_t y, int32_t opacity, const TRect& source_rect,
                                  const TDIBSurface& source) {
  if (!source.HasMask()) {
    DrawOpacity(x, y, opacity, -1, source_rect, source);
    return;
  }
  const int32_t bits = BitCount();
  const TPixelFormat format = Format();
  ForEachRow(*this, x, y, source_rect, source,
             [&](uint8_t* d, const uint8_t* s, const uint8_t* mask, int32_t dx, int32_t sx,
                 int32_t n, int32_t) {
               for (int32_t j = 0; j < n; ++j) {
                 const uint32_t m = mask[sx + j];
                 const uint32_t sv = RowPixel(s, sx + j, bits);
                 const int32_t X = dx + j;
                 if (bits <= 8) {
                   if (m >= 128) SetRowPixel(d, X, bits, sv);
                   continue;
                 }
                 uint32_t w = m;
                 if (bits == 24 && opacity < 255) {
                   // Only here does the opacity count; weights below 1 keep the pixel.
                   if (static_cast<int64_t>(opacity) * m < 256) continue;
                   w = (static_cast<uint32_t>(opacity) * m) >> 8;
                 } else if (m == 0) {
                   continue;
                 } else if (m == 255) {
                   SetRowPixel(d, X, bits, sv);
                   continue;
                 }
                 const uint32_t dv = RowPixel(d, X, bits);
                 uint32_t out;
                 if (bits == 16) out = BlendChannels(dv, sv, w, format, false);
                 else if (bits == 24) out = BlendChannels(dv, sv, w, TPixelFormat::Rgb888(), false);
                 else out = Blend32(dv, sv, w);
                 SetRowPixel(d, X, bits, out);
               }
             });
}

void TDIBSurface::CopyPicture(const TDIBSurface& source) { *this = source; }

uint32_t TDIBSurface::ColorToValue(uint32_t r, uint32_t g, uint32_t b) const {
  switch (EffectiveBitCount()) {
    case 1: case 4: case 8: return NearestPaletteIndex(r, g, b);
    case 15: return (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
    case 16: return (r >> 3) << 11 | (g >> 2) << 5 | b >> 3;
    default: return b | g << 8 | r << 16;
  }
}

TRgb TDIBSurface::ValueToColor(uint32_t v, bool expand) const {
  auto widen = [expand](uint32_t c, uint32_t low) {
    return static_cast<uint8_t>(expand && c != 0 ? c | low : c);
  };
  switch (EffectiveBitCount()) {
    case 1: case 4: case 8: {
      const TRgbQuad& e = Palette()[v & 0xFF];
      return {e.red, e.green, e.blue};
    }
    case 15:
      return {widen((v & 0x7C00) >> 7, 7), widen((v & 0x3E0) >> 2, 7), widen((v << 3) & 0xFF, 7)};
    case 16:
      return {widen((v & 0xF800) >> 8, 7), widen((v & 0x7E0) >> 3, 3), widen((v << 3) & 0xFF, 7)};
    default:
      return {static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
  }
}

}  // namespace rivo
