// The project: reading "rivo.rpb" of every version, start-up failures, the
// end page, and which files can be reached.

#include <gtest/gtest.h>

#include <cstdlib>

#include "common/byte_writer.h"
#include "graphics/orba_frame_list.h"
#include "graphics/wipe_codes.h"
#include "scenario/project.h"
#include "scenario/wipe_mask_pictures.h"
#include "scenario/project_source.h"
#include "scenario_fixtures.h"

namespace rivo {
namespace {

struct Game {
  test::FakeHost host;
  TParamCollection variables;
  TRivoBaseList screen;
  std::unique_ptr<TProject> project;

  void Start() {
    project = std::make_unique<TProject>(host, &variables, screen);
    project->Create();
  }
};

ProjectFile Sample(int32_t version) {
  ProjectFile p = ParseProjectSource(R"(
version 112
title "テスト"
screen 320 200
fullscreen 640 400
start main.rsb
end end.rsb
identification 77
write-status 0
frame-limit 3
media-extensions .ogg
var integer score 5
var real ratio 0.1
var flag seen TRUE
var string name "名前"
disk bgm 2
)");
  p.version = version;
  return p;
}

TEST(ProjectFile, EveryVersionReadsBackItsOwnFields) {
  for (int32_t version = 100; version <= 112; ++version) {
    std::string bytes = Sample(version).Write();
    ProjectFile p = ProjectFile::Read(bytes, "rivo.rpb");
    EXPECT_EQ(p.Write(), bytes) << version;
    EXPECT_EQ(p.title, "\x83\x65\x83\x58\x83\x67") << version;
    EXPECT_EQ(p.end_page, version >= 110 ? "end.rsb" : "") << version;
    EXPECT_EQ(p.write_status_file, version >= 104 ? 0 : 1) << version;
    EXPECT_EQ(p.frame_limit, version >= 106 ? 3 : 0) << version;
    EXPECT_EQ(p.media_extensions, version >= 109 ? ".ogg" : ".wav.wma.ogg.mid") << version;
    ASSERT_EQ(p.variables.size(), 4u);
    EXPECT_EQ(p.variables[1].real_value, 0.1L);
    ASSERT_EQ(p.disks.size(), 1u);
  }
}

TEST(ProjectFile, DamagedProjectsAreRefused) {
  std::string good = Sample(112).Write();
  EXPECT_THROW(ProjectFile::Read(good.substr(0, good.size() - 1), "rivo.rpb"), LoadError);
  ProjectFile bad_kind = Sample(112);
  bad_kind.variables[0].kind = 5;
  EXPECT_THROW(ProjectFile::Read(bad_kind.Write(), "rivo.rpb"), LoadError);
  std::string negative_count = Sample(112).Write();
  // The disk table's count is the last int32 before its one entry.
  std::size_t count_at = negative_count.size() - (4 + 3 + 4) - 4;
  negative_count.replace(count_at, 4, std::string("\xFF\xFF\xFF\xFF", 4));
  EXPECT_THROW(ProjectFile::Read(negative_count, "rivo.rpb"), LoadError);
}

TEST(Project, StartsAtTheStartPageWithItsInitialVariables) {
  Game g;
  g.host.files["rivo.rpb"] = Sample(112).Write();
  g.host.AddPage("main.rsb", "Calc score = score + 1\nWait TRUE\n");
  g.host.AddPage("end.rsb", "Calc score = score * 100\nWait TRUE\nCalc score = 0\n");
  // A variable restored before the project keeps its value.
  TParamCollectionItem& restored = g.variables.AddVariable(PT_STR);
  g.variables.SetName(restored, "name");
  restored.Param().SetStr("kept");
  g.Start();
  ASSERT_TRUE(g.project->Loaded());
  EXPECT_FALSE(g.host.terminating);
  EXPECT_EQ(g.project->ScreenWidth, 320);
  EXPECT_EQ(g.project->EndPage, "end.rsb");
  EXPECT_EQ(g.variables.Find("name")->Param().AsStr(), "kept");
  EXPECT_TRUE(g.variables.Find("score")->Status());
  g.project->Step();
  EXPECT_EQ(g.variables.Find("score")->AsInt(), 6);
  // The end page runs up to its first command that yields.
  g.project.reset();
  EXPECT_EQ(g.variables.Find("score")->AsInt(), 600);
  EXPECT_TRUE(g.host.terminating);
}

TEST(Project, TransitionsZoomIntoTheScreenCentreAndTakeMaskPicturesFromTheGame) {
  Game g;
  g.host.files["rivo.rpb"] = Sample(112).Write();
  g.host.AddPage("main.rsb", "Wait TRUE\n");
  g.host.AddPage("end.rsb", "Wait TRUE\n");
  EXPECT_EQ(g.screen.WipeDefaults().Of(WP_ZOOMIN).p0, 0);
  g.Start();
  ASSERT_TRUE(g.project->Loaded());
  EXPECT_EQ(g.screen.WipeDefaults().Of(WP_ZOOMIN).p0, 160);
  EXPECT_EQ(g.screen.WipeDefaults().Of(WP_ZOOMIN).p1, 100);

  // Mask pictures are the game's layered images, scrambled with its key.
  TOrbaFrameList orb(77);
  TDIBSurface& picture = orb.AddFrame().surface;
  picture.SetSize(4, 3, 24);
  for (int32_t y = 0; y < 3; ++y) picture.WritePixel(1, y, 0x808080u * static_cast<uint32_t>(y));
  g.host.files["mask\\ramp.orb"] = orb.SaveToStream();
  g.host.files["bad.orb"] = "Orba106 and nothing more";
  TWipeMaskPictures masks(g.host);
  masks.SetIdentificationCode(77);
  std::optional<TDIBSurface> found = masks.FindMaskPicture("MASK\\Ramp.orb");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->Width(), 4);
  for (int32_t y = 0; y < 3; ++y) EXPECT_EQ(found->ReadPixel(1, y), picture.ReadPixel(1, y)) << y;
  // Missing and damaged pictures are missing (the transition then acts as
  // if the mask were white); the damage is logged.
  EXPECT_FALSE(masks.FindMaskPicture("none.orb"));
  EXPECT_FALSE(masks.FindMaskPicture(""));
  const std::size_t logged = g.host.log.size();
  EXPECT_FALSE(masks.FindMaskPicture("bad.orb"));
  EXPECT_EQ(g.host.log.size(), logged + 1);
}

TEST(Project, StartUpFailuresLeaveTerminatingSet) {
  struct Case {
    const char* what;
    std::string project;
    const char* box;  // the message shown, or "" for none
  };
  ProjectFile huge = Sample(112);
  huge.screen_width = 16385;
  ProjectFile no_start = Sample(112);
  no_start.start_page = "missing.rsb";
  ByteWriter newer;
  newer.I32(113);
  std::vector<Case> cases = {
      {"empty project", "", "警告|プロジェクトがありません"},
      {"newer project", newer.data(), ""},
      {"screen too wide", huge.Write(), "警告|"},
      {"no start page", no_start.Write(), "警告|スタートページがありません"},
  };
  for (const Case& c : cases) {
    Game g;
    g.host.files["rivo.rpb"] = c.project;
    g.Start();
    EXPECT_TRUE(g.host.terminating) << c.what;
    if (*c.box) {
      ASSERT_EQ(g.host.boxes.size(), 1u) << c.what;
      EXPECT_EQ(g.host.boxes[0].rfind(c.box, 0), 0u) << c.what << ": " << g.host.boxes[0];
    } else {
      EXPECT_TRUE(g.host.boxes.empty()) << c.what;
    }
    g.project.reset();  // shutting down a project that never started is safe
  }
  Game missing;
  missing.Start();
  EXPECT_TRUE(missing.host.terminating);
  EXPECT_FALSE(missing.project->Loaded());
  EXPECT_EQ(missing.host.boxes, std::vector<std::string>{"警告|プロジェクトがありません"});
}

TEST(Project, AVersion103ProjectHasNoEndPageAndOldDefaults) {
  Game g;
  g.host.files["rivo.rpb"] = Sample(103).Write();
  g.host.AddPage("main.rsb", "Wait TRUE\n");
  g.Start();
  ASSERT_TRUE(g.project->Loaded());
  EXPECT_TRUE(g.project->EndPage.empty());
  EXPECT_TRUE(g.project->WriteStatusFile);
  EXPECT_EQ(g.project->FrameLimit, 0);
  EXPECT_EQ(g.project->MediaExtensions, ".wav.wma.ogg.mid");
}

TEST(Project, CanReachAsksForDiscsOnlyForNonMediaFiles) {
  Game g;
  g.host.files["rivo.rpb"] = Sample(112).Write();
  g.host.AddPage("main.rsb", "Wait TRUE\n");
  g.Start();
  EXPECT_TRUE(g.project->CanReach("main.rsb"));
  EXPECT_FALSE(g.project->CanReach(""));
  EXPECT_FALSE(g.project->CanReach("bgm\\theme.ogg"));
  EXPECT_TRUE(g.host.disk_requests.empty());
  EXPECT_FALSE(g.project->CanReach("bgm\\next.rsb"));
  EXPECT_EQ(g.host.disk_requests, std::vector<int32_t>{2});
  EXPECT_FALSE(g.project->CanReach("elsewhere\\next.rsb"));
  EXPECT_EQ(g.host.disk_requests.size(), 1u);
}

TEST(Project, TheOriginalProjectsDiscTableWinsPastItsEndPage) {
  Game g;
  g.host.files["rivo.rpb"] = Sample(112).Write();
  ProjectFile original = Sample(110);
  original.disks = {{"movie", 3}};
  g.host.files["/original_rivo.rpb"] = original.Write();
  g.host.AddPage("main.rsb", "Wait TRUE\n");
  g.Start();
  EXPECT_EQ(g.project->FolderDisks().DiskOf("movie\\a.rsb"), 3);
  EXPECT_EQ(g.project->FolderDisks().DiskOf("bgm\\a.rsb"), 0);
}

TEST(SaveFilePath, TheGameFolderWhenWritableElseTheUsersDataFolder) {
  std::filesystem::path folder = std::filesystem::temp_directory_path();
  EXPECT_EQ(SaveFilePath(folder), folder / "save.dat");
  const char* old = std::getenv("XDG_DATA_HOME");
  std::string kept = old ? old : "";
  setenv("XDG_DATA_HOME", "/data/home", 1);
  EXPECT_EQ(SaveFilePath("/no/such/place/my game"), std::filesystem::path("/data/home/rivoplay/my game/save.dat"));
  if (old) setenv("XDG_DATA_HOME", kept.c_str(), 1);
  else unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace rivo
