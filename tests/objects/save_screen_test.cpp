// "SaveScreen": a base's picture as a one-frame 24-bit layered image, in a
// file under the game folder or in a "mem:" entry, and the names it refuses.

#include "objects/save_screen.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <sstream>

#include "content/install_set.h"
#include "content/memory_stream.h"
#include "content/vr_file_manager.h"
#include "objects/rivo_box.h"
#include "object_fixtures.h"

namespace rivo {
namespace {

namespace fs = std::filesystem;
using test::NewControl;

class SaveScreenTest : public ::testing::Test {
 protected:
  static constexpr int32_t kW = 24, kH = 16;

  SaveScreenTest() {
    std::string pattern = (fs::temp_directory_path() / "rivo-savescreen-XXXXXX").string();
    root = mkdtemp(pattern.data());
    game = root / "game";
    fs::create_directories(game / "shots");
    fs::create_directories(root / "temp");
    std::ofstream(root / "mounts") << "";
    files = std::make_unique<TVrFileManager>(root / "temp", root / "mounts");
    files->MountArchive({});
    files->SetBaseFolder(game);

    s.screen.SetWidth(kW);
    s.screen.SetHeight(kH);
    back.SetSize(kW, kH, 32);
    s.screen.SetBackBuffer(&back);
    s.screen.BaseAt(0).SetColor(0x102030);
    s.screen.BaseAt(1).SetColor(0x0000FF);
    Box(s.screen.BaseAt(0), 2, 3, 6, 5, 0x00FF00, 128);
    Box(s.screen.BaseAt(1), 10, 4, 8, 8, 0xFFFFFF, 255);
    s.screen.Draw();
    s.screen.ClearDirty();
    // A change since the last frame: the picture shows it too.
    Box(s.screen.BaseAt(0), 15, 1, 4, 4, 0xFF0000, 300);  // blue, added
  }
  ~SaveScreenTest() override { fs::remove_all(root); }

  void Box(TRivoBase& base, int32_t left, int32_t top, int32_t w, int32_t h, int32_t color, int32_t alpha) {
    TRivoBox& b = NewControl<TRivoBox>(s.screen, {}, &base);
    b.SetBounds(left, top, w, h);
    b.SetColor(color);
    b.SetAlpha(alpha);
  }
  bool Save(const std::string& name, std::optional<int32_t> w = {}, std::optional<int32_t> h = {},
            bool back_base = false, int32_t mode = 0) {
    SaveScreenRequest request{name, w, h, back_base, mode};
    return SaveScreen(s.screen, *files, request, effects);
  }
  TOrbaFrameList Read(const std::string& name) {
    TQnMemoryStream out;
    files->LoadToStream(out, name);
    TOrbaFrameList list;
    list.LoadFromStream(out.View(), name);
    return list;
  }
  // What the base shows once the next frame is drawn.
  uint32_t Shown(int32_t base, int32_t x, int32_t y) {
    TDIBX picture;
    s.screen.BaseAt(base).ComposeInto(picture);
    return picture.GetPixel(x, y) & 0xFFFFFF;
  }

  fs::path root, game;
  std::unique_ptr<TVrFileManager> files;
  SaveScreenEffects effects;
  test::Screen s;
  TDIBX back;
};

TEST_F(SaveScreenTest, AMemoryEntryHoldsTheShownBasePixelForPixelUncompressed) {
  std::vector<std::string> forgotten;
  effects.forget_picture = [&](const std::string& name) { forgotten.push_back(name); };
  ASSERT_TRUE(Save("MEM:shot.orb"));
  EXPECT_EQ(forgotten, std::vector<std::string>{"MEM:shot.orb"});
  EXPECT_FALSE(fs::exists(game / "MEM:shot.orb"));
  const TOrbaFrameList list = Read("MEM:shot.orb");
  EXPECT_EQ(list.Header().compression, ORBA_RAW);
  ASSERT_EQ(list.Count(), 1);
  const TDIBSurface& frame = list.Frames(0).surface;
  ASSERT_EQ(frame.BitCount(), 24);
  ASSERT_EQ(frame.Width(), kW);
  ASSERT_EQ(frame.Height(), kH);
  for (int32_t y = 0; y < kH; ++y)
    for (int32_t x = 0; x < kW; ++x) ASSERT_EQ(frame.ReadPixel(x, y), Shown(0, x, y)) << x << "," << y;
  EXPECT_EQ(frame.ReadPixel(0, 0), 0x302010u);  // the base's colour 0x102030 (0x00BBGGRR)
  // The blue box added since the last frame is in it (blue 255 * 44 / 256
  // added); nothing was drawn on screen.
  EXPECT_EQ(frame.ReadPixel(16, 2), 0x30203Bu);
  EXPECT_NE(back.GetPixel(16, 2) & 0xFFFFFF, Shown(0, 16, 2));
  // Saving again replaces the entry.
  s.screen.BaseAt(0).SetColor(0);
  ASSERT_TRUE(Save("mem:shot.orb", 4, 2));
  EXPECT_EQ(Read("mem:shot.orb").Frames(0).surface.Width(), 4);
}

TEST_F(SaveScreenTest, AFileUnderTheGameFolderOfTheBaseBehindResampled) {
  ASSERT_TRUE(Save("shots\\Back.ORB", 0, 8, true));
  ASSERT_TRUE(fs::exists(game / "shots" / "Back.ORB"));
  const TOrbaFrameList list = Read("shots\\back.orb");
  const TDIBSurface& frame = list.Frames(0).surface;
  EXPECT_EQ(frame.Width(), kW);  // 0: the screen's width
  EXPECT_EQ(frame.Height(), 8);
  EXPECT_EQ(frame.ReadPixel(0, 0), Shown(1, 0, 0));  // blue, not the shown base's colour
  EXPECT_EQ(frame.ReadPixel(14, 4), 0xFFFFFFu);
}

TEST_F(SaveScreenTest, NamesOutsideTheGameFolderOtherKindsAndSizesBelowOneAreRefused) {
  struct Case {
    const char* name;
    std::optional<int32_t> w, h;
  } cases[] = {
      {"..\\out.orb", {}, {}},     {"shots\\..\\..\\out.orb", {}, {}}, {"shots\\..\\in.orb", {}, {}},
      {"\\out.orb", {}, {}},       {"/tmp/out.orb", {}, {}},          {"c:out.orb", {}, {}},
      {"C:\\out.orb", {}, {}},     {"shot.bmp", {}, {}},              {"shot", {}, {}},
      {"nofolder\\x.orb", {}, {}}, {"shot.orb", -1, {}},              {"shot.orb", 10, -3},
      {"shots", {}, {}},
  };
  for (const Case& c : cases) EXPECT_FALSE(Save(c.name, c.w, c.h)) << c.name;
  EXPECT_EQ(std::distance(fs::recursive_directory_iterator(root), fs::recursive_directory_iterator()), 4)
      << "only the folders and the mount table";
  // Without a game folder nothing is saved, not even in memory.
  files->SetBaseFolder(root / "missing");
  EXPECT_FALSE(Save("mem:shot.orb"));
}

TEST_F(SaveScreenTest, ModeOneDeletesTheFileAtTheEndAndModeTwoListsItOnceInInstallDat) {
  std::vector<fs::path> doomed;
  effects.delete_at_end = [&](const fs::path& path) { doomed.push_back(path); };
  ASSERT_TRUE(Save("a.orb", {}, {}, false, 1));
  EXPECT_EQ(doomed, std::vector<fs::path>{game / "a.orb"});
  // Without "install.dat" mode 2 lists nothing and creates nothing.
  ASSERT_TRUE(Save("b.orb", {}, {}, false, 2));
  EXPECT_FALSE(fs::exists(game / "install.dat"));
  TRivoInstallSet set;
  set.Title = "game";
  set.MadeFiles = {"old.orb"};
  set.SaveToFile(game / "install.dat");
  ASSERT_TRUE(Save("b.orb", {}, {}, false, 2));
  ASSERT_TRUE(Save("B.ORB", {}, {}, false, 2));
  ASSERT_TRUE(Save("mem:c.orb", {}, {}, false, 2));
  TRivoInstallSet read;
  read.LoadFromFile(game / "install.dat");
  EXPECT_EQ(read.MadeFiles, (std::vector<std::string>{"old.orb", "b.orb"}));
  EXPECT_EQ(read.Title, "game");
  EXPECT_EQ(doomed.size(), 1u);
}

}  // namespace
}  // namespace rivo
