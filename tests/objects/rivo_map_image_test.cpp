// The map image: the current area under the mouse, the hover list's events,
// selection by click and keys, closing by selection, right click and Esc,
// the masks cut on private copies, and its save record.

#include "objects/rivo_map_image.h"

#include <gtest/gtest.h>

#include <fstream>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "content/vr_file_manager.h"
#include "graphics/orba_collection.h"
#include "graphics/orba_frame_list.h"
#include "image_fixtures.h"
#include "map_file_fixture.h"
#include "platform/private_temp_folder.h"
#include "platform/virtual_key.h"
#include "objects/rivo_base.h"
#include "script/param_collection.h"

namespace rivo {
namespace {

using test::MapFileWriter;

constexpr uint32_t kBlue = 0x0000FF, kRed = 0xFF0000;

// A frame of 100 x 80 in one colour whose first column is masked out.
test::FrameSpec Frame(uint32_t colour, int32_t delay = 100) {
  return {100, 80, [colour](int32_t, int32_t) { return colour; },
          [](int32_t x, int32_t) { return static_cast<uint8_t>(x == 0 ? 0 : 255); }, delay};
}

class MapImage : public ::testing::Test {
 protected:
  MapImage() {
    files.SetBaseFolder(game.Path());
    s.screen.SetFiles(&files);
    s.screen.SetVariables(&variables);
    s.Add("src.orb", {Frame(kBlue)});
    s.Add("hover.orb", {Frame(kRed)});
    s.Add("two.orb", {Frame(kRed, 50), Frame(kBlue, 50)});
    // first and second overlap in (30..49, 30..49).
    Put("areas.map", MapFileWriter()
                         .Rectangle("first", 10, 10, 49, 49)
                         .Rectangle("second", 30, 30, 69, 69)
                         .Ellipse("round", 0, 60, 19, 79)
                         .Polygon("tri", {{80, 0}, {100, 0}, {100, 20}})
                         .Bytes());
  }

  void Put(const std::string& name, const std::string& bytes) {
    std::ofstream(game.Path() / name, std::ios::binary) << bytes;
  }

  // A map image at (50, 40) with the pictures and areas above; every event
  // page set.
  TRivoMapImage& Map(const std::string& name = "map") {
    auto& m = test::NewControl<TRivoMapImage>(s.screen, name);
    m.SetSource("src.orb");
    m.SetHoverSource("hover.orb");
    m.SetMapSource("areas.map");
    m.SetLeft(50);
    m.SetTop(40);
    m.OnMapIn = "in.rsb";
    m.OnMapOut = "out.rsb";
    m.OnSelect = "sel.rsb";
    return m;
  }

  TRivoBase& Base() { return s.screen.ActiveBase(); }
  // The input step with the pointer at (x, y) of the map at (50, 40).
  void MoveTo(int32_t x, int32_t y) {
    for (int i = 0; i < 2; ++i) s.screen.BaseAt(i).UpdateMouse(50 + x, 40 + y);
    s.screen.ProcessInput();
  }
  // A press and, in the next input step, its release (a press that takes
  // the capture holds the mouse until then).
  void Click(bool left) {
    (left ? Base().LeftPress : Base().RightPress) = true;
    s.screen.ProcessInput();
    s.screen.ProcessInput();
  }
  void Keys(std::vector<int32_t> codes, TRivoMapImage& m) { m.KeyRepeat(codes); }

  // The map events queued since the last call: "kind:name,index".
  std::vector<std::string> Events() {
    std::vector<std::string> out;
    for (const TTimerData& e : s.screen.Events().Entries()) {
      if (e.Kind != PR_ONMAPIN && e.Kind != PR_ONMAPOUT && e.Kind != PR_ONSELECT) continue;
      std::string line = e.Kind == PR_ONMAPIN ? "in:" : e.Kind == PR_ONMAPOUT ? "out:" : "select:";
      for (std::size_t i = 0; i < e.Args.size(); ++i) line += (i ? "," : "") + e.Args[i];
      out.push_back(line);
    }
    s.screen.Events().Clear();
    return out;
  }

  test::ImageScreen s{200, 200};
  PrivateTempFolder game, temp;
  TVrFileManager files{temp.Path()};
  TParamCollection variables;
};

using Strings = std::vector<std::string>;

TEST_F(MapImage, OverlappingAreasReportTheFirstInFileOrderWithNameAndIndex) {
  TRivoMapImage& m = Map();
  ASSERT_EQ(m.AreaCount(), 4);
  EXPECT_EQ(m.GetWidth(), 100);  // the picture's size
  EXPECT_EQ(m.GetHeight(), 80);
  MoveTo(40, 40);
  EXPECT_EQ(m.Area(), 0);
  EXPECT_EQ(Events(), (Strings{"in:first,0"}));
  MoveTo(45, 45);  // still the first: nothing happens
  EXPECT_EQ(Events(), Strings{});
  MoveTo(60, 60);
  EXPECT_EQ(m.Area(), 1);
  EXPECT_EQ(Events(), (Strings{"out:first,0", "in:second,1"}));
  MoveTo(9, 69);  // inside the ellipse's box and the ellipse
  EXPECT_EQ(Events(), (Strings{"out:second,1", "in:round,2"}));
  MoveTo(0, 60);  // the box's corner is outside the ellipse
  EXPECT_EQ(m.Area(), -1);
  MoveTo(98, 2);
  EXPECT_EQ(m.Area(), 3);
  MoveTo(82, 18);  // below the triangle's slanted edge
  EXPECT_EQ(m.Area(), -1);
  MoveTo(98, 2);
  Events();
  MoveTo(150, 150);  // the mouse leaves the control
  EXPECT_EQ(m.Area(), -1);
  EXPECT_EQ(Events(), (Strings{"out:tri,3"}));
}

TEST_F(MapImage, AClickSelectsTheCurrentAreaOnly) {
  TRivoMapImage& m = Map();
  variables.SetSelIndex(99);
  MoveTo(5, 5);
  Click(true);
  EXPECT_EQ(variables.SelIndex(), 99);
  EXPECT_EQ(Events(), Strings{});
  MoveTo(35, 35);
  Click(true);
  EXPECT_EQ(variables.SelStr(), "first");
  EXPECT_EQ(variables.SelIndex(), 0);
  EXPECT_EQ(Events(), (Strings{"in:first,0", "select:first,0"}));
  // A paused map image and one that ignores left clicks select nothing.
  variables.SetSelIndex(99);
  m.SetPaused(true);
  Click(true);
  m.SetPaused(false);
  m.SetIgnoreMouse(IM_LCLICK);
  Click(true);
  EXPECT_EQ(variables.SelIndex(), 99);
}

TEST_F(MapImage, ArrowKeysCycleThroughTheAreas) {
  struct Case {
    int32_t from;
    int32_t key;
    int32_t to;
  };
  const Case cases[] = {
      {-1, vk::kDown, 0}, {-1, vk::kRight, 0}, {3, vk::kDown, 0}, {1, vk::kRight, 2},
      {-1, vk::kUp, 3},   {-1, vk::kLeft, 3},  {0, vk::kUp, 3},   {2, vk::kLeft, 1},
  };
  TRivoMapImage& m = Map();
  for (const Case& c : cases) {
    m.SetArea(c.from);
    Keys({c.key}, m);
    EXPECT_EQ(m.Area(), c.to) << c.from << " key " << c.key;
  }
  // Several keys of one tick go in their order.
  m.SetArea(-1);
  Events();
  Keys({vk::kDown, vk::kDown, vk::kUp, vk::kUp}, m);
  EXPECT_EQ(m.Area(), 3);
  EXPECT_EQ(Events(), (Strings{"in:first,0", "out:first,0", "in:second,1", "out:second,1", "in:first,0",
                               "out:first,0", "in:tri,3"}));
  // Without areas the keys find nothing.
  Put("none.map", MapFileWriter().Bytes());
  m.SetMapSource("none.map");
  Keys({vk::kDown, vk::kUp}, m);
  EXPECT_EQ(m.Area(), -1);
}

TEST_F(MapImage, EnterAndSpaceSelectOnlyACurrentArea) {
  TRivoMapImage& m = Map();
  variables.SetSelIndex(99);
  Keys({vk::kReturn, vk::kSpace}, m);
  EXPECT_EQ(variables.SelIndex(), 99);  // no current area: nothing is selected
  EXPECT_EQ(Events(), Strings{});
  m.SetArea(2);
  Events();
  Keys({vk::kSpace}, m);
  EXPECT_EQ(variables.SelStr(), "round");
  EXPECT_EQ(variables.SelIndex(), 2);
  // While the first select's entry waits, a second select raises none.
  m.SetArea(1);
  Keys({vk::kReturn}, m);
  EXPECT_EQ(variables.SelIndex(), 1);
  EXPECT_EQ(Events(), (Strings{"select:round,2", "out:round,2", "in:second,1"}));
  Keys({vk::kReturn}, m);
  EXPECT_EQ(Events(), (Strings{"select:second,1"}));
}

TEST_F(MapImage, ASelectionWithAutoScrapHoldsEventsBackAndEndsTwoTicksLater) {
  TRivoMapImage& m = Map();
  m.AutoScrap = true;
  const ObjectHandle handle = m.Handle();
  MoveTo(35, 35);
  Click(true);
  EXPECT_EQ(m.Closing(), TRivoMapImage::kClosing);
  EXPECT_TRUE(m.EventsSuppressed());
  Events();
  MoveTo(60, 60);  // suppressed: the area stays
  EXPECT_EQ(m.Area(), 0);
  EXPECT_EQ(Events(), Strings{});
  s.Tick();
  ASSERT_NE(s.screen.Resolve(handle), nullptr);
  EXPECT_EQ(m.Closing(), TRivoMapImage::kClosed);
  s.Tick();
  EXPECT_EQ(s.screen.Resolve(handle), nullptr);
  EXPECT_TRUE(s.screen.RightClickList().empty());
}

TEST_F(MapImage, ARightClickWithRClickScrapCancelsAndConsumesIt) {
  struct Case {
    const char* what;
    bool scrap;
    int32_t ignore;
    bool cancels;
    bool right_down;  // the click reaches the map's own PR_ONRBTNDOWN
  };
  const Case cases[] = {
      {"closes on right clicks", true, IM_NONE, true, false},
      {"ignores left clicks only", true, IM_LCLICK, true, false},
      {"without PR_RCLICKSCRAP", false, IM_NONE, false, true},
      {"ignoring right clicks", true, IM_RCLICK, false, false},
  };
  for (const Case& c : cases) {
    TRivoMapImage& m = Map(c.what);
    m.RClickScrap = c.scrap;
    m.SetIgnoreMouse(c.ignore);
    m.OnRBtnDown = "rdown.rsb";
    variables.SetSelStr("kept");
    variables.SetSelIndex(7);
    MoveTo(35, 35);
    s.screen.Events().Clear();
    Click(false);
    int32_t right_downs = 0;
    for (const TTimerData& e : s.screen.Events().Entries()) right_downs += e.Kind == PR_ONRBTNDOWN;
    EXPECT_EQ(right_downs, c.right_down ? 1 : 0) << c.what;
    EXPECT_EQ(variables.SelIndex(), c.cancels ? -1 : 7) << c.what;
    EXPECT_EQ(variables.SelStr(), c.cancels ? "" : "kept") << c.what;
    EXPECT_EQ(m.Closing(), c.cancels ? TRivoMapImage::kClosing : 0) << c.what;
    const ObjectHandle handle = m.Handle();
    s.Tick();
    EXPECT_NE(s.screen.Resolve(handle), nullptr) << c.what;
    s.Tick();
    EXPECT_EQ(s.screen.Resolve(handle) == nullptr, c.cancels) << c.what;
    if (!c.cancels) s.screen.Free(m);
  }
}

TEST_F(MapImage, EscCancelsOnlyWithRClickScrap) {
  TRivoMapImage& m = Map();
  variables.SetSelIndex(7);
  Keys({vk::kEscape}, m);
  EXPECT_EQ(variables.SelIndex(), 7);
  EXPECT_EQ(m.Closing(), 0);
  m.RClickScrap = true;
  Keys({vk::kEscape}, m);
  EXPECT_EQ(variables.SelIndex(), -1);
  EXPECT_EQ(m.Closing(), TRivoMapImage::kClosing);
  s.Tick();
  EXPECT_TRUE(m.EventsSuppressed());
}

TEST_F(MapImage, TheAreaShowsTheHoverPictureThroughMasksCutOnPrivateCopies) {
  TRivoMapImage& m = Map();
  TRivoMapImage& other = Map("other");  // shares the cached frames
  other.SetLeft(0);
  other.SetTop(120);
  TOrbaItem* cached = s.cache.Find("src.orb?m");
  ASSERT_NE(cached, nullptr);
  ASSERT_NE(cached->Frames()[0].mask, nullptr);
  const TDIBX& loaded = *cached->Frames()[0].mask;
  auto mask_bytes = [&] {
    std::string bytes;
    for (int32_t y = 0; y < loaded.Height(); ++y)
      for (int32_t x = 0; x < loaded.Width(); ++x) bytes.push_back(static_cast<char>(loaded.GetPixel(x, y)));
    return bytes;
  };
  const std::string before = mask_bytes();
  s.Compose();
  m.SetArea(1);
  s.Compose();
  EXPECT_EQ(mask_bytes(), before);
  EXPECT_EQ(s.At(50 + 50, 40 + 50), kRed);   // inside the second area: hover
  EXPECT_EQ(s.At(50 + 20, 40 + 20), kBlue);  // in the first area only: source
  EXPECT_EQ(s.At(50 + 90, 40 + 70), kBlue);
  EXPECT_EQ(s.At(50 + 0, 40 + 50), 0u);      // the masked column stays out of both
  EXPECT_EQ(s.At(0 + 50, 120 + 50), kBlue);  // the other control is not cut
  // Another area: the cut follows; none: the whole source.
  m.SetArea(0);
  s.Compose();
  EXPECT_EQ(s.At(50 + 20, 40 + 20), kRed);
  EXPECT_EQ(s.At(50 + 60, 40 + 60), kBlue);
  m.SetArea(-1);
  s.Compose();
  EXPECT_EQ(s.At(50 + 20, 40 + 20), kBlue);
  EXPECT_EQ(mask_bytes(), before);
}

TEST_F(MapImage, PicturesAnimateAndTheHoverListStartsAgainInEachArea) {
  TRivoMapImage& m = Map();
  m.SetHoverSource("two.orb");
  m.SetArea(0);
  auto hover_pixel = [&] {
    s.Compose();
    return s.At(50 + 20, 40 + 20);
  };
  EXPECT_EQ(hover_pixel(), kRed);
  s.clock.delta = 50;
  s.Tick();
  EXPECT_EQ(hover_pixel(), kBlue);
  m.SetArea(1);
  m.SetArea(0);
  EXPECT_EQ(hover_pixel(), kRed);  // back at frame 0
  m.SetAniPaused(true);
  s.Tick();
  EXPECT_EQ(hover_pixel(), kRed);
  // Brightness lightens both pictures.
  m.SetBrightness(0x20);
  EXPECT_EQ(hover_pixel(), 0xFF2020u);
  EXPECT_EQ(s.At(50 + 90, 40 + 70), 0x2020FFu);
}

TEST_F(MapImage, SourceAndHoverOfOneFileLetTheCachedEntryGoOneAtATime) {
  TRivoMapImage& m = Map();
  m.SetHoverSource("src.orb");
  m.SetHoverSource("hover.orb");  // the hover list lets go; the source still holds the entry
  ASSERT_NE(s.cache.Find("src.orb?m"), nullptr);
  m.SetArea(-1);
  s.Compose();
  EXPECT_EQ(s.At(50 + 90, 40 + 70), kBlue);
  s.screen.Free(m);
  EXPECT_EQ(s.cache.Find("src.orb?m"), nullptr);
  EXPECT_EQ(s.cache.Find("hover.orb?m"), nullptr);
}

TEST_F(MapImage, ADisplayChangeKeepsTheShownFramesAndTheCut) {
  TRivoMapImage& m = Map();
  m.SetSource("two.orb");
  m.SetHoverSource("two.orb");
  m.SetArea(0);
  s.clock.delta = 50;
  s.Tick();
  s.Compose();
  EXPECT_EQ(s.At(50 + 20, 40 + 20), kBlue);  // frame 1 of the hover picture
  EXPECT_EQ(s.At(50 + 90, 40 + 70), kBlue);  // frame 1 of the source
  s.screen.ReleaseSurfaces();
  s.screen.RestoreSurfaces();
  s.back.Clear(0);
  s.Compose();
  EXPECT_EQ(s.At(50 + 20, 40 + 20), kBlue);
  EXPECT_EQ(s.At(50 + 90, 40 + 70), kBlue);
  EXPECT_EQ(s.At(50 + 0, 40 + 50), 0u);  // the masks were cut again
  s.Tick();
  s.Compose();
  EXPECT_EQ(s.At(50 + 20, 40 + 20), kRed);  // and go on animating
}

TEST_F(MapImage, AMissingOrDamagedMapLeavesFewerAreas) {
  TRivoMapImage& m = Map();
  m.SetArea(1);
  m.SetMapSource("nothing.map");
  EXPECT_EQ(m.AreaCount(), 0);
  EXPECT_EQ(m.Area(), -1);
  MoveTo(35, 35);
  EXPECT_EQ(m.Area(), -1);
  const std::string whole = MapFileWriter().Rectangle("a", 0, 0, 9, 9).Rectangle("b", 0, 0, 99, 99).Bytes();
  Put("cut.map", whole.substr(0, whole.size() - 2));
  m.SetMapSource("cut.map");
  EXPECT_EQ(m.AreaCount(), 1);
}

TEST_F(MapImage, PropertiesOfTheKind) {
  TRivoMapImage& m = Map();
  EXPECT_EQ(test::GetInt(m, PR_COMPOTYPE), LT_MAPIMG);
  EXPECT_EQ(test::GetInt(m, PR_REPEAT), 1);
  test::SetInt(m, PR_REPEAT, 0);
  EXPECT_EQ(test::GetInt(m, PR_REPEAT), 1);
  EXPECT_EQ(test::GetStr(m, PR_MAPSOURCE), "areas.map");
  EXPECT_EQ(test::GetStr(m, PR_HOVERSOURCE), "hover.orb");
  EXPECT_EQ(test::GetInt(m, PR_ZOOMX), 0);  // not a property of map images
  test::SetInt(m, PR_RCLICKSCRAP, 1);
  EXPECT_TRUE(m.RightClickScrap());
  EXPECT_EQ(s.screen.RightClickList().size(), 1u);
}

// A map image record of an old version by hand: a control part of a save
// before 118 (no tag, motion, plus or key fields), then the map fields that
// version had.
std::string OldRecord(int32_t version) {
  ByteWriter w;
  w.String("old");
  w.I32(0);                                        // priority
  if (version > 103) w.I32(0);                     // sub-priority
  for (int32_t v : {5, 6, 60, 70, 0, 0}) w.I32(v);  // left ... offset y
  w.U8(0);                                         // PosZoomed
  if (version > 103) {
    for (int i = 0; i < 4; ++i) w.I32(0);  // clip
    w.U8(0);                               // AniPaused
  }
  w.U8(1);  // Visible
  w.I32(-1);
  for (int32_t v : {0, 0, 1, 1}) w.I32(v);
  w.U8(IM_NONE);
  w.String("");  // Cursor
  for (int i = 0; i < 9; ++i) w.String("");  // the mouse events
  w.I32(0);  // children
  w.String("src.orb");
  w.String("hover.orb");
  w.String("areas.map");
  w.I32(200);  // alpha
  w.I32(-30);  // brightness
  w.String("in.rsb");
  w.String("out.rsb");
  w.Bool(true);  // AutoScrap
  w.Bool(true);  // RClickScrap
  if (version > 103) {
    w.String("idle.rsb");
    w.Bool(true);  // Paused
    w.String("sel.rsb");
  }
  if (version > 114) w.I32(TRivoMapImage::kClosing);
  return w.Take();
}

TEST_F(MapImage, OlderRecordsLackTheLaterFields) {
  for (int32_t version : {103, 114, 115}) {
    const std::string record = OldRecord(version);
    ByteReader in(record, "save.dat");
    auto& m = static_cast<TRivoMapImage&>(s.screen.CreateByType(LT_MAPIMG));
    m.LoadFromStream(in, version);
    EXPECT_TRUE(in.AtEnd()) << version;
    EXPECT_EQ(m.AreaCount(), 4) << version;
    EXPECT_EQ(m.GetWidth(), 60) << version;  // the saved size, not the picture's
    EXPECT_EQ(m.GetAlpha(), 200) << version;
    EXPECT_EQ(m.GetBrightness(), -30) << version;
    EXPECT_EQ(m.OnMapOut, "out.rsb") << version;
    EXPECT_TRUE(m.RClickScrap) << version;
    EXPECT_EQ(m.OnIdle, version > 103 ? "idle.rsb" : "") << version;
    EXPECT_EQ(m.GetPaused(), version > 103) << version;
    EXPECT_EQ(m.OnSelect, version > 103 ? "sel.rsb" : "") << version;
    // A map image saved while closing goes on closing, without events.
    EXPECT_EQ(m.Closing(), version > 114 ? TRivoMapImage::kClosing : 0) << version;
    EXPECT_EQ(m.EventsSuppressed(), version > 114) << version;
  }
}

std::string Save(const TRivoObject& o) {
  ByteWriter out;
  o.SaveToStream(out);
  return out.Take();
}

TEST_F(MapImage, TheRecordWritesWhatItReads) {
  TRivoMapImage& m = Map();
  m.SetAlpha(300);
  m.SetBrightness(40);
  m.AutoScrap = true;
  m.OnIdle = "idle.rsb";
  m.SetWidth(60);
  m.SetArea(2);
  const std::string saved = Save(m);
  ByteReader in(saved, "save.dat");
  auto& loaded = static_cast<TRivoMapImage&>(s.screen.CreateByType(LT_MAPIMG));
  loaded.LoadFromStream(in, 140);
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(Save(loaded), saved);
  EXPECT_EQ(loaded.Area(), -1);  // the current area is not kept
  EXPECT_EQ(loaded.AreaCount(), 4);
}

}  // namespace
}  // namespace rivo
