// Drawing operations with arbitrary parameters on small surfaces: any
// rectangle, position, flip, alpha, zoom, angle, pivot, offset, pitch and
// clip (partly or wholly outside), on 32- and 8-bit surfaces and through a
// wave surface. Nothing may touch memory outside a surface.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "graphics/dibx.h"
#include "graphics/dibx_wave.h"

namespace {

using namespace rivo;

// Mostly small numbers around the surfaces, sometimes extremes.
int32_t Coordinate(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 7)) {
    case 0: return in.ConsumeIntegral<int32_t>();
    case 1: return in.ConsumeIntegralInRange(-5000, 5000);
    default: return in.ConsumeIntegralInRange(-40, 80);
  }
}

TRect AnyRect(FuzzedDataProvider& in) {
  return {Coordinate(in), Coordinate(in), Coordinate(in), Coordinate(in)};
}

std::unique_ptr<TDIBX> AnySurface(FuzzedDataProvider& in, int32_t bits) {
  auto s = std::make_unique<TDIBX>();
  const int32_t w = in.ConsumeIntegralInRange(0, 48), h = in.ConsumeIntegralInRange(0, 48);
  s->SetSize(w, h, bits);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) s->SetPixel(x, y, static_cast<uint32_t>(x * 7 + y * 131));
  if (in.ConsumeBool()) s->SetTransparentColor(in.ConsumeIntegralInRange(-1, 300));
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const int32_t bits = in.ConsumeBool() ? 32 : 8;
  auto dest = AnySurface(in, bits);
  auto source = AnySurface(in, bits);
  auto mask = AnySurface(in, 8);
  TDIBXWave wave;
  wave.SetTarget(dest.get());
  wave.SetSize(in.ConsumeIntegralInRange(0, 60), in.ConsumeIntegralInRange(0, 60), bits);
  wave.SetOrigin(Coordinate(in), Coordinate(in));
  for (int32_t& offset : wave.Offsets()) offset = Coordinate(in);
  uint32_t table[256];
  for (uint32_t i = 0; i < 256; ++i) table[i] = i * 0x010203;

  for (int step = 0; step < 8 && in.remaining_bytes() > 0; ++step) {
    TCustomDIBX& d = in.ConsumeBool() ? static_cast<TCustomDIBX&>(wave) : *dest;
    switch (in.ConsumeIntegralInRange(0, 3)) {
      case 0: d.SetClipRect(AnyRect(in)); break;
      case 1: d.AddClipRect(AnyRect(in)); break;
      case 2: d.ResetClip(); break;
      default: break;
    }
    const TRect r = AnyRect(in), s = AnyRect(in);
    const int32_t x = Coordinate(in), y = Coordinate(in);
    const int32_t alpha = in.ConsumeIntegralInRange(-2, 520);
    const bool fv = in.ConsumeBool(), fh = in.ConsumeBool(), key = in.ConsumeBool();
    const uint32_t value = in.ConsumeIntegral<uint32_t>();
    const TRotation rot{Coordinate(in), Coordinate(in), Coordinate(in),
                        in.ConsumeIntegralInRange(-10, 2000), in.ConsumeIntegralInRange(-10, 2000)};
    const TTileLayout tiles{Coordinate(in), Coordinate(in), Coordinate(in), Coordinate(in),
                            in.ConsumeIntegralInRange(-10, 2000), in.ConsumeIntegralInRange(-10, 2000)};
    switch (in.ConsumeIntegralInRange(0, 27)) {
      case 0: d.FillRect(r, value); break;
      case 1: d.FillRectAlpha(r, value, alpha); break;
      case 2: d.FillRectAdd(r, value); break;
      case 3: d.FillRectSub(r, value); break;
      case 4: d.FrameRectAlpha(r, Coordinate(in), alpha, value); break;
      case 5: d.Draw(x, y, fv, fh, key, s, *source); break;
      case 6: d.DrawAlpha(x, y, alpha, fv, fh, key, s, *source); break;
      case 7: d.DrawAdd(x, y, alpha, fv, fh, s, *source); break;
      case 8: d.DrawMask(x, y, *mask, fv, fh, s, *source); break;
      case 9: d.DrawAlphaMask(x, y, alpha, *mask, fv, fh, s, *source); break;
      case 10: d.DrawAddMask(x, y, alpha, *mask, fv, fh, s, *source); break;
      case 11: d.FillMask(x, y, alpha, value, fv, fh, s, *mask); break;
      case 12: d.DrawIndexedAdd(x, y, table, alpha, fv, fh, Coordinate(in), s, *mask); break;
      case 13: d.StretchDraw(r, *source, alpha, fv, fh, key, s); break;
      case 14: d.StretchDrawAdd(r, *source, alpha, fv, fh, key, s); break;
      case 15: d.StretchDrawMask(r, *source, alpha, *mask, fv, fh, s); break;
      case 16: d.StretchDrawAddMask(r, *source, alpha, *mask, fv, fh, s); break;
      case 17: d.StretchDrawIndexed(r, *mask, table, alpha, fv, fh, s); break;
      case 18: d.DrawRotate(x, y, alpha, fv, fh, key, rot, s, *source); break;
      case 19: d.DrawRotateMask(x, y, alpha, *mask, fv, fh, rot, s, *source); break;
      case 20: d.TileStretchDraw(r, tiles, alpha, fv, fh, key, s, *source); break;
      case 21: d.TileStretchDrawMask(r, tiles, alpha, *mask, fv, fh, s, *source); break;
      case 22: d.FillPattern(r, *source, fv, fh, x, y); break;
      case 23: d.FillPatternZoom(r, *source, alpha, fv, fh, key, x, y, rot.zoom_x, rot.zoom_y); break;
      case 24: d.FillPatternZoomMask(r, *source, alpha, *mask, fv, fh, x, y, rot.zoom_x, rot.zoom_y); break;
      case 25: d.FramePattern(r, Coordinate(in), x, y, *source); break;
      case 26: d.Assign(*source); break;
      default: d.Clear(value); break;
    }
  }
  return 0;
}
