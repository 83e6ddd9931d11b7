// The project's status data: restored before the initial variables, written
// when the project ends, and a status it cannot read leaves the file alone.

#include <gtest/gtest.h>

#include <unistd.h>

#include "common/byte_writer.h"
#include "content/file_stream.h"
#include "scenario/project.h"
#include "scenario/project_source.h"
#include "scenario/save_file.h"
#include "scenario/status_data.h"
#include "scenario/status_part.h"
#include "scenario_fixtures.h"
#include "script/db_manager.h"

namespace rivo {
namespace {

namespace fs = std::filesystem;

struct StatusGame {
  fs::path folder = fs::temp_directory_path() / ("project_status_test." + std::to_string(::getpid()));
  fs::path save = folder / "save.dat";
  test::FakeHost host;
  TParamCollection variables;
  TDBManager tables;
  TRivoBaseList screen;
  std::unique_ptr<TProject> project;

  StatusGame() {
    fs::create_directories(folder);
    host.files["rivo.rpb"] = ParseProjectSource("version 112\ntitle \"T\"\nscreen 320 200\nstart main.rsb\n"
                                                "var integer score 5\n").Write();
    host.AddPage("main.rsb", "Calc score = score + 1\nWait TRUE\n");
  }
  ~StatusGame() {
    project.reset();
    fs::remove_all(folder);
  }
  void Start() {
    project = std::make_unique<TProject>(host, &variables, screen);
    project->UseSaveFile(save, &tables);
    project->Create();
  }
  // A save file with a status holding score and a game save in slot 3.
  void WriteSave(int32_t score, std::string_view tag) {
    TParamCollection saved_vars;
    TDBManager saved_tables;
    KeptReadMarks marks;
    KeptImageCacheState cache;
    TParamCollectionItem& item = saved_vars.AddVariable(PT_INT);
    saved_vars.SetName(item, "score");
    saved_vars.SetScope(item, VS_STATUS);
    item.Param().SetInt(score);
    std::string status = WriteStatusEntry({&saved_vars, &saved_tables, &marks, &cache});
    status.replace(0, 9, tag);
    ByteWriter game;
    game.I32(138), game.String("slot three"), game.String(""), game.I32(0);
    SaveFile file(save);
    file.Put("GAMESAVEDATA3", game.data());
    file.Put("STATUSSAVEDATA", status);
  }
  int32_t SavedScore() {
    SaveFile file(save);
    file.Open();
    TParamCollection loaded;
    TDBManager loaded_tables;
    KeptReadMarks marks;
    KeptImageCacheState cache;
    ReadStatusEntry(*file.Entry("STATUSSAVEDATA"), {&loaded, &loaded_tables, &marks, &cache});
    return loaded.Find("score")->AsInt();
  }
};

TEST(ProjectStatus, RestoredStatusWinsOverTheInitialValueAndIsWrittenAtTheEnd) {
  StatusGame g;
  g.WriteSave(41, "Status103");
  g.Start();
  ASSERT_TRUE(g.project->Loaded());
  EXPECT_EQ(g.variables.Find("score")->AsInt(), 41);
  ASSERT_EQ(g.project->SaveCaptions().size(), 1u);
  EXPECT_EQ(g.project->GetSaveCaption(3), "slot three");
  EXPECT_EQ(g.project->GetSaveCaption(4), "");
  g.project->Step();
  g.project.reset();
  EXPECT_EQ(g.SavedScore(), 42);
}

TEST(ProjectStatus, AStatusItCannotReadStartsWithoutSavesAndLeavesTheFileAlone) {
  StatusGame g;
  g.WriteSave(41, "Status104");
  const std::string before = ReadWholeFile(g.save);
  g.Start();
  ASSERT_TRUE(g.project->Loaded());
  EXPECT_EQ(g.variables.Find("score")->AsInt(), 5);
  EXPECT_TRUE(g.project->SaveCaptions().empty());
  EXPECT_EQ(g.host.log.size(), 1u);
  g.project->Step();
  g.project.reset();
  EXPECT_EQ(ReadWholeFile(g.save), before);
}

TEST(ProjectStatus, CaptionsAreReplacedPerSlot) {
  StatusGame g;
  g.Start();
  g.project->SetSaveCaption(3, "one");
  g.project->SetSaveCaption(3, "two");
  g.project->SetSaveCaption(1, "first");
  EXPECT_EQ(g.project->SaveCaptions().size(), 2u);
  EXPECT_EQ(g.project->GetSaveCaption(3), "two");
}

}  // namespace
}  // namespace rivo
