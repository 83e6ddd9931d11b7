// Saved image controls (images, tiles, buttons, glyph-sheet captions) from
// arbitrary bytes, on a screen whose image cache has a few pictures and
// whose glyphs come from the test rasteriser. The first byte picks the kind
// and the save version. Damage is refused with a load error; whatever is
// read survives ticks and drawing, and writes back to bytes that read and
// write the same again.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "common/sjis.h"
#include "graphics/orba_collection.h"
#include "graphics/orba_frame_list.h"
#include "objects/rivo_base_list.h"
#include "platform/headless/test_font_rasteriser.h"
#include "text/font_pixel_manager.h"

namespace {

constexpr int32_t kNewest = 140;
constexpr uint8_t kKinds[] = {rivo::LT_IMAGES, rivo::LT_TILE, rivo::LT_BUTTON, rivo::LT_CGLABEL};

// "a.orb": two 6 x 4 frames, the second masked; "b.orb": one 3 x 3 keyed frame.
class Pictures : public rivo::TImageFileSource {
 public:
  Pictures() {
    rivo::TOrbaFrameList two;
    for (int i = 0; i < 2; ++i) {
      rivo::TOrbaFrame& f = two.AddFrame();
      f.surface.SetSize(6, 4, 24);
      if (i == 1) f.surface.CreateMask();
      for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 6; ++x) {
          f.surface.WritePixel(x, y, static_cast<uint32_t>(x * 40 + y * 7 + i));
          if (i == 1) f.surface.Mask()->WritePixel(x, y, static_cast<uint32_t>(x * 50));
        }
      f.delay = 30;
    }
    a_ = two.SaveToStream();
    rivo::TOrbaFrameList one;
    rivo::TOrbaFrame& f = one.AddFrame();
    f.surface.SetSize(3, 3, 24);
    f.SetTransparentValue(0);
    b_ = one.SaveToStream();
  }
  std::optional<std::string> ReadImageFile(const std::string& name) override {
    if (rivo::sjis::SameText(name, "a.orb")) return a_;
    if (rivo::sjis::SameText(name, "b.orb")) return b_;
    return std::nullopt;
  }

 private:
  std::string a_, b_;
};

struct World {
  explicit World(Pictures& pictures) : cache(pictures) {
    screen.SetImages(&cache);
    screen.SetGlyphs(&glyphs);
    screen.SetWidth(48);
    screen.SetHeight(32);
    back.SetSize(48, 32, 32);
    screen.SetBackBuffer(&back);
  }
  ~World() { screen.Reset(); }  // the objects let their pictures go before the cache

  rivo::TOrbaCollection cache;
  rivo::TestFontRasteriser fonts;
  rivo::TFontPixelManager glyphs{fonts};
  rivo::TDIBX back;
  rivo::TRivoBaseList screen;
};

bool Load(World& world, uint8_t kind, std::string_view bytes, int32_t version) {
  rivo::ByteReader in(bytes, "save.dat");
  try {
    rivo::TRivoObject& object = world.screen.CreateByType(kind);
    object.LoadFromStream(in, version);
  } catch (const rivo::RivoError&) {
    return false;
  }
  return true;
}

std::string Save(const World& world) {
  rivo::ByteWriter out;
  world.screen.GetObjectAt(0).SaveToStream(out);
  return out.Take();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  static Pictures pictures;
  const uint8_t kind = kKinds[data[0] & 3];
  const int32_t version = 100 + (data[0] >> 2) % (kNewest - 99);
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  {
    World world(pictures);
    if (!Load(world, kind, bytes, version)) return 0;
    if (auto* control = world.screen.GetObjectAt(0).AsControl()) control->SetParent(&world.screen.ActiveBase());
    for (int i = 0; i < 3 && world.screen.ObjectCount() > 0; ++i) {
      world.screen.Tick();
      world.screen.Draw();
      world.screen.ClearDirty();
    }
  }
  World fresh(pictures);
  Load(fresh, kind, bytes, version);
  const std::string saved = Save(fresh);
  World again(pictures);
  if (!Load(again, kind, saved, kNewest)) __builtin_trap();
  if (Save(again) != saved) __builtin_trap();
  return 0;
}
