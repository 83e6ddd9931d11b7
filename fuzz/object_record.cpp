// Saved objects and screens from arbitrary bytes. The first byte picks a
// save version and whether a whole screen or one object record (its type
// byte, then the record, made through CreateByType) follows. Damage is
// refused with a load error; whatever is read writes back to bytes that
// read and write the same again.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "objects/rivo_base_list.h"
#include "platform/headless/test_font_rasteriser.h"
#include "text/font_pixel_manager.h"

namespace {

constexpr int32_t kNewest = 140;

// Buttons keep their caption settings in the glyph cache's label renderer.
rivo::TFontPixelManager& Glyphs() {
  static rivo::TestFontRasteriser fonts;
  static rivo::TFontPixelManager glyphs{fonts};
  return glyphs;
}

// Reads one top-level record into screen; false when the bytes are refused.
bool Load(rivo::TRivoBaseList& screen, std::string_view bytes, bool whole, int32_t version) {
  screen.SetGlyphs(&Glyphs());
  rivo::ByteReader in(bytes, "save.dat");
  try {
    if (whole) {
      screen.LoadFromStream(in, version);
    } else {
      rivo::TRivoObject& object = screen.CreateByType(in.U8());
      object.LoadFromStream(in, version);
    }
  } catch (const rivo::RivoError&) {
    return false;
  }
  return true;
}

std::string Save(const rivo::TRivoBaseList& screen, bool whole) {
  rivo::ByteWriter out;
  if (whole) {
    screen.SaveToStream(out);
  } else {
    const rivo::TRivoObject& object = screen.GetObjectAt(0);
    out.U8(static_cast<uint8_t>(object.GetCompoType()));
    object.SaveToStream(out);
  }
  return out.Take();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const bool whole = (data[0] & 0x80) != 0;
  const int32_t version = 100 + (data[0] & 0x7F) % (kNewest - 99);
  std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  rivo::TRivoBaseList screen;
  if (!Load(screen, bytes, whole, version)) return 0;
  screen.Tick();  // whatever was read must survive a tick
  if (!whole && screen.ObjectCount() == 0) return 0;  // it asked to go
  if (!whole) {
    // A record read alone is still the first object.
    rivo::TRivoBaseList fresh;
    Load(fresh, bytes, whole, version);
    std::string saved = Save(fresh, whole);
    rivo::TRivoBaseList again;
    if (!Load(again, saved, whole, kNewest)) __builtin_trap();
    if (Save(again, whole) != saved) __builtin_trap();
    return 0;
  }
  std::string saved = Save(screen, whole);
  rivo::TRivoBaseList again;
  if (!Load(again, saved, whole, kNewest)) __builtin_trap();
  if (Save(again, whole) != saved) __builtin_trap();
  return 0;
}
