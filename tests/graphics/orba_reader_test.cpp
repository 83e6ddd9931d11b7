// The layered image reader against files of every version written by the
// test-only writer of orba_fixture.h.

#include <gtest/gtest.h>

#include <numeric>

#include "common/error.h"
#include "graphics/orba_fixture.h"
#include "graphics/orba_frame_list.h"

namespace rivo {
namespace {

using testing::OrbaFileLayout;
using testing::OrbaFrameLayout;
using testing::OrbaLayerLayout;
using testing::StoredRows;
using testing::StoredTiles;
using testing::TileEntry;
using testing::Zlib;

TOrbaFrameList Read(const std::string& bytes, int32_t key = 0, bool first_only = false) {
  TOrbaFrameList list(key);
  list.LoadFromStream(bytes, "t.orb", first_only);
  return list;
}

std::vector<uint32_t> Pixels(const TDIB& picture) {
  std::vector<uint32_t> out;
  for (int32_t y = 0; y < picture.Height(); ++y)
    for (int32_t x = 0; x < picture.Width(); ++x) out.push_back(picture.ReadPixel(x, y));
  return out;
}

// Distinct values that fit the bit count.
std::vector<uint32_t> Ramp(int32_t count, int32_t bits, uint32_t start = 1) {
  std::vector<uint32_t> v(static_cast<std::size_t>(count));
  const uint32_t modulus = bits >= 24 ? 0xFFFFFFu : 1u << std::min(bits, 16);
  for (int32_t i = 0; i < count; ++i)
    v[static_cast<std::size_t>(i)] = (start * 7 + 37u * static_cast<uint32_t>(i) * (bits >= 24 ? 0x10101u : 1u)) % modulus;
  return v;
}

OrbaFrameLayout Frame(int32_t w, int32_t h, int32_t bits, std::vector<OrbaLayerLayout> layers) {
  OrbaFrameLayout f;
  f.width = w;
  f.height = h;
  f.bit_count = bits;
  f.layers = std::move(layers);
  if (bits <= 8)
    for (int32_t i = 0; i < (1 << bits); ++i) f.palette.push_back(0x010101u * static_cast<uint32_t>(i));
  return f;
}

OrbaLayerLayout Layer(std::string colour, std::string mask = {}) {
  OrbaLayerLayout l;
  l.colour = std::move(colour);
  l.mask = std::move(mask);
  return l;
}

TEST(OrbaReaderTest, AFileWithoutSignatureIsVersionZero) {
  const std::vector<uint32_t> px = {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x010203};
  OrbaFileLayout file;
  file.version = 0;
  file.signature = false;
  OrbaFrameLayout f = Frame(3, 2, 24, {Layer(Zlib(StoredRows(3, 2, 24, px)))});
  f.name = "cell";
  f.delay = 250;
  file.frames = {f};
  const TOrbaFrameList list = Read(testing::WriteOrba(file));
  EXPECT_EQ(list.Version(), 0);
  ASSERT_EQ(list.Count(), 1);
  const TOrbaFrame& frame = list.Frames(0);
  EXPECT_EQ(frame.name, "cell");
  EXPECT_EQ(frame.delay, 250);
  EXPECT_EQ(Pixels(frame.surface), px);
  EXPECT_FALSE(frame.HasMask());
  EXPECT_EQ(frame.transparent_color, -1);
}

TEST(OrbaReaderTest, MasksArriveWithVersion100AndTheirSwitchWith101) {
  const std::vector<uint32_t> px = Ramp(4, 8), mask = {0, 80, 160, 255};
  const std::string colour = Zlib(StoredRows(2, 2, 8, px)), stored_mask = Zlib(StoredRows(2, 2, 8, mask));
  for (int32_t version : {99, 100, 101}) {
    for (bool enabled : {false, true}) {
      OrbaFileLayout file;
      file.version = version;
      OrbaLayerLayout layer = Layer(colour, version > 99 ? stored_mask : "");
      layer.mask_enabled = enabled;
      file.frames = {Frame(2, 2, 8, {layer})};
      const TOrbaFrameList list = Read(testing::WriteOrba(file));
      const TOrbaFrame& frame = list.Frames(0);
      EXPECT_EQ(Pixels(frame.surface), px);
      // Version 100 has no switch: its masks always count.
      const bool masked = version == 100 || (version == 101 && enabled);
      ASSERT_EQ(frame.HasMask(), masked) << version << " " << enabled;
      if (masked) { EXPECT_EQ(Pixels(*frame.surface.Mask()), mask); }
      EXPECT_EQ(frame.layers.at(0).has_mask, version > 99);
    }
  }
}

TEST(OrbaReaderTest, TheBackgroundColourArrivesWithVersion102AndFillsUncoveredPixels) {
  for (int32_t version : {101, 102, 106}) {
    OrbaFileLayout file;
    file.version = version;
    file.compression = 0;
    file.background = 0x3366FF;  // 0x00BBGGRR
    OrbaLayerLayout hidden = Layer(Zlib(StoredRows(1, 1, 24, {0x111111})));
    hidden.visible = false;
    file.frames = {Frame(1, 1, 24, {hidden}), Frame(1, 1, 16, {})};
    const TOrbaFrameList list = Read(testing::WriteOrba(file));
    EXPECT_EQ(list.Frames(0).surface.ReadPixel(0, 0), version >= 102 ? 0xFF6633u : 0u);
    EXPECT_EQ(list.Frames(1).surface.ReadPixel(0, 0), version >= 102 ? 0xFB26u : 0u);  // 5-6-5
  }
}

TEST(OrbaReaderTest, ScrambledRowsFollowTheShuffleWhenTheHeaderSaysSo) {
  const std::vector<uint32_t> px = Ramp(5 * 7, 32);
  const std::string natural = StoredRows(5, 7, 32, px);
  const std::string shuffled = StoredRows(5, 7, 32, px, 12345);
  ASSERT_NE(natural, shuffled);
  struct Case {
    uint8_t scrambled, compression;
    const std::string* stored;
    int32_t key;
    bool natural_result;
  } cases[] = {
      {1, 1, &shuffled, 12345, true},   // scrambled raw, right key
      {1, 0, &shuffled, 12345, true},   // scrambled and compressed
      {1, 1, &shuffled, 0, false},      // key 0: the stored order stays
      {0, 1, &natural, 12345, true},    // not scrambled: the key does not matter
      {1, 1, &natural, 0, true},        // scrambled with key 0 is the identity
  };
  for (const Case& c : cases) {
    OrbaFileLayout file;
    file.version = 103;
    file.scrambled = c.scrambled;
    file.compression = c.compression;
    file.frames = {Frame(5, 7, 32, {Layer(c.compression == 0 ? Zlib(*c.stored) : *c.stored)})};
    const TOrbaFrameList list = Read(testing::WriteOrba(file), c.key);
    const std::vector<uint32_t> got = Pixels(list.Frames(0).surface);
    if (c.natural_result) EXPECT_EQ(got, px);
    else EXPECT_NE(got, px);
  }
}

// Frame 0 stores every tile inline; frame 1 copies: from frame 0's layer,
// from a tile of its own filled before, from tiles not filled yet, from its
// own frame and a later one; frame 2 has another size, so its copies of
// frame 0 stay 0. The table is scrambled.
TEST(OrbaReaderTest, TilesOfAllKindsAtEveryBitCount) {
  for (int32_t bits : {1, 4, 8, 15, 24, 32}) {
    SCOPED_TRACE(bits);
    constexpr int32_t w = 5, h = 3, tw = 2, th = 2, key = 7;  // 3 x 2 tiles, cut at the edges
    const std::vector<uint32_t> a = Ramp(w * h, bits, 3), b = Ramp(w * h, bits, 11);
    const std::vector<uint32_t> mask = Ramp(w * h, 8, 5);
    const std::vector<TileEntry> inline_all(6, TileEntry{-1, 0});
    const std::vector<TileEntry> copies = {{0, 0}, {-2, 0}, {-2, 4}, {1, 0}, {5, 0}, {-1, 0}};
    OrbaFileLayout file;
    file.version = 103;
    file.scrambled = 1;
    file.compression = 0;
    file.tile_width = tw;
    file.tile_height = th;
    file.frames = {
        Frame(w, h, bits, {Layer(Zlib(StoredTiles(w, h, bits, a, tw, th, inline_all, key)),
                                 Zlib(StoredTiles(w, h, 8, mask, tw, th, inline_all, key)))}),
        Frame(w, h, bits, {Layer(Zlib(StoredTiles(w, h, bits, b, tw, th, copies, key)),
                                 Zlib(StoredTiles(w, h, 8, mask, tw, th, copies, key)))}),
        Frame(w - 1, h, bits, {Layer(Zlib(StoredTiles(w - 1, h, bits, b, tw, th,
                                                      {{0, 0}, {0, 0}, {0, 0}, {0, 0}}, key)))}),
    };
    const TOrbaFrameList list = Read(testing::WriteOrba(file), key);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(Pixels(list.Frames(0).surface), a);
    EXPECT_EQ(Pixels(*list.Frames(0).surface.Mask()), mask);

    // Expected frame 1, tile by tile: (column, row) -> source.
    std::vector<uint32_t> want(static_cast<std::size_t>(w * h), 0), want_mask = want;
    auto tile_of = [&](int32_t x, int32_t y) { return y / th * 3 + x / tw; };
    for (int32_t y = 0; y < h; ++y) {
      for (int32_t x = 0; x < w; ++x) {
        const auto i = static_cast<std::size_t>(y * w + x);
        const int32_t lx = x % tw, ly = y % th;
        const auto from_tile0 = static_cast<std::size_t>(ly * w + lx);
        switch (tile_of(x, y)) {
          case 0: want[i] = a[i], want_mask[i] = mask[i]; break;                 // frame 0's layer
          case 1: want[i] = a[from_tile0], want_mask[i] = mask[from_tile0]; break;  // copy of tile 0
          case 5: want[i] = b[i], want_mask[i] = mask[i]; break;                 // inline
          default: break;  // not filled yet, own frame, later frame: 0
        }
      }
    }
    EXPECT_EQ(Pixels(list.Frames(1).surface), want);
    EXPECT_EQ(Pixels(*list.Frames(1).surface.Mask()), want_mask);
    EXPECT_EQ(Pixels(list.Frames(2).surface), std::vector<uint32_t>(static_cast<std::size_t>((w - 1) * h), 0));
  }
}

TEST(OrbaReaderTest, RectangleListsArriveWithVersion104AndANegativeCountMeansNone) {
  OrbaFileLayout file;
  file.version = 104;
  OrbaFrameLayout f = Frame(1, 1, 24, {});
  f.first_rects = std::vector<TRect>{{1, 2, 3, 4}, {-5, -6, 7, 8}};
  file.frames = {f};
  const TOrbaFrameList list = Read(testing::WriteOrba(file));
  EXPECT_EQ(list.Frames(0).first_rects, (std::vector<TRect>{{1, 2, 3, 4}, {-5, -6, 7, 8}}));
  EXPECT_TRUE(list.Frames(0).second_rects.empty());
}

TEST(OrbaReaderTest, TheBottomLayerOpaqueFlagCountsFromVersion105) {
  const std::vector<uint32_t> px = {5, 9};
  for (int32_t version : {104, 105}) {
    for (uint8_t flag : {0, 1}) {
      OrbaFileLayout file;
      file.version = version;
      file.background = 0x020202;  // palette entry 2
      file.bottom_layer_opaque = flag;
      OrbaLayerLayout hidden = Layer(StoredRows(2, 1, 8, {1, 1}));
      hidden.visible = false;
      OrbaLayerLayout keyed = Layer(StoredRows(2, 1, 8, px));
      keyed.transparent_value = 5;
      file.frames = {Frame(2, 1, 8, {hidden, keyed})};
      const TOrbaFrameList list = Read(testing::WriteOrba(file));
      const bool opaque = version >= 105 && flag;
      EXPECT_EQ(list.BottomLayerOpaque(), opaque);
      EXPECT_EQ(list.Frames(0).surface.ReadPixel(0, 0), opaque ? 5u : 2u);
      EXPECT_EQ(list.Frames(0).surface.ReadPixel(1, 0), 9u);
    }
  }
}

TEST(OrbaReaderTest, FirstFrameOnlyReadsOneFrameOfFive) {
  OrbaFileLayout file;
  for (int i = 0; i < 5; ++i) file.frames.push_back(Frame(2, 2, 24, {Layer(StoredRows(2, 2, 24, Ramp(4, 24, i)))}));
  const std::string bytes = testing::WriteOrba(file);
  EXPECT_EQ(Read(bytes).Count(), 5);
  const TOrbaFrameList first = Read(bytes, 0, true);
  ASSERT_EQ(first.Count(), 1);
  EXPECT_EQ(Pixels(first.Frames(0).surface), Ramp(4, 24, 0));
}

TEST(OrbaReaderTest, LayersFlattenInOrder) {
  // 200 over 100 at opacity 128: div 255 for 24 bits, shr 8 for 32 bits.
  for (auto [bits, want] : {std::pair{24, 150u}, std::pair{32, 149u}}) {
    OrbaFileLayout file;
    OrbaLayerLayout top = Layer(StoredRows(1, 1, bits, {200 * 0x010101u}));
    top.opacity = 128;
    file.frames = {Frame(1, 1, bits, {Layer(StoredRows(1, 1, bits, {100 * 0x010101u})), top})};
    EXPECT_EQ(Read(testing::WriteOrba(file)).Frames(0).surface.ReadPixel(0, 0), want * 0x010101u) << bits;
  }
  // A masked first layer gives the frame its mask; a masked later layer
  // blends through its own: (200 * 128 + 100 * 127) shr 8 = 149.
  OrbaFileLayout file;
  file.frames = {Frame(2, 1, 24, {Layer(StoredRows(2, 1, 24, {100, 100}), StoredRows(2, 1, 8, {30, 40})),
                                  Layer(StoredRows(2, 1, 24, {200, 200}), StoredRows(2, 1, 8, {128, 0}))})};
  const TOrbaFrameList list = Read(testing::WriteOrba(file));
  const TOrbaFrame& frame = list.Frames(0);
  EXPECT_EQ(Pixels(frame.surface), (std::vector<uint32_t>{149, 100}));
  EXPECT_EQ(Pixels(*frame.surface.Mask()), (std::vector<uint32_t>{30, 40}));
}

// Every byte of a picture, its row padding too.
std::string AllBytes(const TDIB& picture) {
  return {reinterpret_cast<const char*>(picture.Bits()),
          static_cast<std::size_t>(picture.RowLength()) * static_cast<std::size_t>(picture.Height())};
}

// The rows of a plane with every padding byte set, as a careless writer may
// leave them.
std::string DirtyPadding(std::string rows, int32_t width, int32_t height, int32_t bits) {
  const std::size_t row_length = rows.size() / static_cast<std::size_t>(height);
  const auto used = static_cast<std::size_t>(width * ((bits == 15 ? 16 : bits) / 8));
  for (std::size_t r = 0; r < static_cast<std::size_t>(height); ++r)
    for (std::size_t i = used; i < row_length; ++i) rows[r * row_length + i] = '\xAB';
  return rows;
}

TEST(OrbaReaderTest, ABottomLayerDecodedIntoTheFrameEqualsOneFlattenedOntoIt) {
  // A plane stored as one whole tile is kept apart and flattened onto the
  // frame; stored as rows, a bottom layer that flattening would copy whole
  // goes straight into the frame. Both must give the same frame, byte for
  // byte, for every kind of bottom layer.
  constexpr int32_t w = 3, h = 2;
  struct Case {
    const char* name;
    bool mask, mask_enabled, visible, second_layer, bottom_opaque;
    int32_t opacity, transparent_value;
  };
  const Case cases[] = {
      {"opaque", false, true, true, false, false, 255, -1},
      {"masked", true, true, true, false, false, 255, -1},
      {"mask switched off", true, false, true, false, false, 255, -1},
      {"masked, a layer above", true, true, true, true, false, 255, -1},
      {"hidden, a layer above", false, true, false, true, false, 255, -1},
      {"half opaque", false, true, true, false, false, 128, -1},
      {"keyed", false, true, true, false, false, 255, 0},
      {"keyed, bottom layer opaque", false, true, true, false, true, 255, 0},
  };
  for (int32_t bits : {8, 15, 24, 32}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + ", " + std::to_string(bits) + " bits");
      std::vector<uint32_t> colour = Ramp(w * h, bits, 3);
      if (c.transparent_value >= 0) colour[1] = static_cast<uint32_t>(c.transparent_value);
      const std::vector<uint32_t> mask = Ramp(w * h, 8, 5), top = Ramp(w * h, bits, 9);
      std::string decoded[2], decoded_mask[2];
      bool has_mask[2];
      for (bool tiled : {false, true}) {
        auto plane = [&](int32_t plane_bits, const std::vector<uint32_t>& px) {
          return tiled ? StoredTiles(w, h, plane_bits, px, w, h, {TileEntry{-1, 0}})
                       : DirtyPadding(StoredRows(w, h, plane_bits, px), w, h, plane_bits);
        };
        OrbaLayerLayout bottom = Layer(plane(bits, colour), c.mask ? plane(8, mask) : std::string());
        bottom.mask_enabled = c.mask_enabled;
        bottom.visible = c.visible;
        bottom.opacity = c.opacity;
        bottom.transparent_value = c.transparent_value;
        std::vector<OrbaLayerLayout> layers = {bottom};
        if (c.second_layer) {
          layers.push_back(Layer(plane(bits, top)));
          layers.back().opacity = 100;
        }
        OrbaFileLayout file;
        file.background = 0x405060;
        file.bottom_layer_opaque = c.bottom_opaque;
        file.tile_width = tiled ? w : 0;
        file.tile_height = tiled ? h : 0;
        file.frames = {Frame(w, h, bits, layers)};
        const TOrbaFrameList list = Read(testing::WriteOrba(file));
        const TDIBSurface& frame = list.Frames(0).surface;
        decoded[tiled] = AllBytes(frame);
        has_mask[tiled] = frame.HasMask();
        decoded_mask[tiled] = frame.HasMask() ? AllBytes(*frame.Mask()) : std::string();
      }
      EXPECT_EQ(decoded[0], decoded[1]);
      EXPECT_EQ(has_mask[0], has_mask[1]);
      EXPECT_EQ(decoded_mask[0], decoded_mask[1]);
    }
  }
}

TEST(OrbaReaderTest, TheTransparentColourIsComputedEvenForAnEmptyFrame) {
  OrbaFileLayout file;
  OrbaFrameLayout empty24 = Frame(0, 0, 24, {});
  empty24.transparent_value = 0x123456;
  OrbaFrameLayout palette = Frame(1, 1, 8, {});
  palette.palette[3] = 0x00C08040;
  palette.transparent_value = 3;
  OrbaFrameLayout rgb565 = Frame(1, 1, 16, {});
  rgb565.transparent_value = 0xF81F;  // red and blue full, no green
  file.frames = {empty24, palette, rgb565};
  const TOrbaFrameList list = Read(testing::WriteOrba(file));
  EXPECT_EQ(list.Frames(0).transparent_color, 0x563412);
  EXPECT_EQ(list.Frames(1).transparent_color, 0x4080C0);  // 0x00RRGGBB entry -> 0x00BBGGRR
  EXPECT_EQ(list.Frames(1).transparent_value, 3);
  EXPECT_EQ(list.Frames(2).transparent_color, 0xFF00FF);
}

TEST(OrbaReaderTest, HeaderRecordsOfOtherSizesAreReadForTheirKnownPart) {
  for (int32_t size : {37, 38, 64, 4096}) {
    OrbaFileLayout file;
    file.header_size = size;
    file.frames = {Frame(1, 1, 24, {Layer(StoredRows(1, 1, 24, {0xABCDEF}))})};
    EXPECT_EQ(Read(testing::WriteOrba(file)).Frames(0).surface.ReadPixel(0, 0), 0xABCDEFu) << size;
  }
}

TEST(OrbaReaderTest, AZlibPlaneStopsAtThePlaneSize) {
  OrbaFileLayout file;
  file.compression = 0;
  file.frames = {Frame(2, 1, 24, {Layer(Zlib(StoredRows(2, 1, 24, {7, 8}) + std::string(100, 'x')))})};
  EXPECT_EQ(Pixels(Read(testing::WriteOrba(file)).Frames(0).surface), (std::vector<uint32_t>{7, 8}));
}

// Each damage on its own; every one is a LoadError naming the file.
TEST(OrbaReaderTest, DamagedFilesAreRefusedBeforeAnythingIsAllocated) {
  auto base = [] {
    OrbaFileLayout file;
    file.frames = {Frame(2, 2, 24, {Layer(StoredRows(2, 2, 24, {1, 2, 3, 4}))})};
    return file;
  };
  std::vector<std::pair<const char*, std::string>> cases;
  auto add = [&](const char* what, auto change) {
    OrbaFileLayout file = base();
    change(file);
    cases.emplace_back(what, testing::WriteOrba(file));
  };
  add("bit count 7", [](OrbaFileLayout& s) { s.frames[0].bit_count = 7; });
  add("side over 16384", [](OrbaFileLayout& s) { s.frames[0].width = 16385; });
  add("negative height", [](OrbaFileLayout& s) { s.frames[0].height = -1; });
  add("too many pixels", [](OrbaFileLayout& s) { s.frames[0].width = s.frames[0].height = 8000; });
  add("frame count beyond the data", [](OrbaFileLayout& s) { s.frame_count = 1000000; });
  add("negative frame count", [](OrbaFileLayout& s) { s.frame_count = -1; });
  add("header size 36", [](OrbaFileLayout& s) { s.header_size = 36; });
  add("header size 4097", [](OrbaFileLayout& s) { s.header_size = 4097; });
  add("compression 3", [](OrbaFileLayout& s) { s.compression = 3; });
  add("short raw plane", [](OrbaFileLayout& s) { s.frames[0].layers[0].colour.resize(12); });
  add("short zlib plane", [](OrbaFileLayout& s) {
    s.compression = 0;
    s.frames[0].layers[0].colour = Zlib(StoredRows(2, 1, 24, {1, 2}));
  });
  add("damaged zlib plane", [](OrbaFileLayout& s) {
    s.compression = 0;
    s.frames[0].layers[0].colour = "not zlib at all";
  });
  add("JPEG plane that is no JPEG", [](OrbaFileLayout& s) { s.compression = 2; });
  add("JPEG plane in a 32-bit frame", [](OrbaFileLayout& s) {
    s.compression = 2;
    s.frames[0].bit_count = 32;
  });
  add("unknown tile kind", [](OrbaFileLayout& s) {
    s.tile_width = s.tile_height = 2;
    s.frames[0].layers[0].colour = StoredTiles(2, 2, 24, {1, 2, 3, 4}, 2, 2, {{-3, 0}});
  });
  add("short tile", [](OrbaFileLayout& s) {
    s.tile_width = s.tile_height = 1;
    s.frames[0].layers[0].colour = StoredTiles(2, 2, 24, {1, 2, 3, 4}, 1, 1, {{-1, 0}, {-1, 0}, {-1, 0}, {-1, 0}}).substr(0, 40);
  });
  {
    std::string bytes = testing::WriteOrba(base());
    bytes[4] = 'x';  // "Orbax06"
    cases.emplace_back("signature without digits", bytes);
  }
  for (const auto& [what, bytes] : cases) {
    try {
      Read(bytes);
      ADD_FAILURE() << what << ": accepted";
    } catch (const LoadError& e) {
      EXPECT_EQ(e.file_name(), "t.orb") << what;
    }
  }
}

// Layers stay for later frames' tile copies only when the file has tiles,
// and everything kept counts against the memory limit.
TEST(OrbaReaderTest, KeptLayersCountAgainstTheMemoryLimit) {
  for (bool tiled : {false, true}) {
    OrbaFileLayout file;
    file.tile_width = file.tile_height = tiled ? 64 : 0;
    const std::vector<uint32_t> px(64 * 64, 0x123456);
    const std::string colour = tiled ? StoredTiles(64, 64, 32, px, 64, 64, {{-1, 0}}) : StoredRows(64, 64, 32, px);
    for (int i = 0; i < 3; ++i) file.frames.push_back(Frame(64, 64, 32, {Layer(colour)}));
    TOrbaFrameList list;
    list.SetMemoryLimit(60 * 1024);  // a frame is 16 KiB, and so is a kept layer
    if (tiled) {
      EXPECT_THROW(list.LoadFromStream(testing::WriteOrba(file), "t.orb"), LoadError);
      EXPECT_EQ(list.Count(), 1);
    } else {
      list.LoadFromStream(testing::WriteOrba(file), "t.orb");
      EXPECT_EQ(list.Count(), 3);
    }
  }
}

TEST(OrbaReaderTest, AFileCutAnywhereGivesAnErrorAndTheFramesCompletedSoFar) {
  OrbaFileLayout file;
  file.version = 104;
  file.compression = 0;
  file.tile_width = 2;
  file.tile_height = 1;
  for (int i = 0; i < 3; ++i) {
    const std::vector<uint32_t> px = Ramp(6, 4, i);
    file.frames.push_back(Frame(3, 2, 4, {Layer(Zlib(StoredTiles(3, 2, 4, px, 2, 1,
                                                                 {{-1, 0}, {-1, 0}, {-2, 0}, {0, 0}}))),
                                         Layer(Zlib(StoredTiles(3, 2, 4, px, 2, 1,
                                                                {{-1, 0}, {-1, 0}, {-1, 0}, {-1, 0}})),
                                               Zlib(StoredTiles(3, 2, 8, px, 2, 1,
                                                                {{-1, 0}, {-1, 0}, {-1, 0}, {-1, 0}})))}));
  }
  const std::string whole = testing::WriteOrba(file);
  ASSERT_EQ(Read(whole).Count(), 3) << whole.size();
  int32_t previous = 0;
  for (std::size_t cut = 0; cut < whole.size(); ++cut) {
    TOrbaFrameList list;
    EXPECT_THROW(list.LoadFromStream(std::string_view(whole).substr(0, cut), "t.orb"), LoadError) << cut;
    EXPECT_GE(list.Count(), previous);
    EXPECT_LE(list.Count(), 2);
    previous = list.Count();
  }
  EXPECT_EQ(previous, 2);
}

}  // namespace
}  // namespace rivo
