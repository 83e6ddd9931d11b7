// A message window's saved record: the text engine's settings, the message
// data, the window's fields and the typing states of its pages. Any bytes
// load or give LoadError, at any save version; what loads then types,
// draws and saves again without faults.

#include <cstddef>
#include <cstdint>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "objects/rivo_base_list.h"
#include "objects/rivo_mes.h"
#include "platform/headless/test_font_rasteriser.h"
#include "text/font_pixel_manager.h"
#include "text/rivo_read_list.h"

namespace {

struct Clock : rivo::ScreenClock {
  int32_t ElapsedMs() const override { return 0; }
  int32_t FrameDeltaMs() const override { return 16; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace rivo;
  if (size < 1) return 0;
  static TestFontRasteriser fonts;
  static TFontPixelManager glyphs(fonts);
  Clock clock;
  TRivoBaseList screen(&clock);
  screen.SetWidth(64);
  screen.SetHeight(64);
  screen.SetGlyphs(&glyphs);
  TRivoReadList marks;
  screen.SetReadMarks(&marks);
  auto& mes = screen.Create<TRivoMes>();
  mes.SetParent(&screen.ActiveBase());
  // The first byte picks the save version (100 ... 135).
  const int32_t version = 100 + data[0] % 36;
  try {
    ByteReader in(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1), "fuzz");
    mes.LoadFromStream(in, version);
  } catch (const LoadError&) {
    return 0;
  }
  for (int i = 0; i < 8; ++i) screen.Tick();
  screen.InvalidateAll();
  screen.Draw();
  ByteWriter out;
  mes.SaveToStream(out);
  return 0;
}
