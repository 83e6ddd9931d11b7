// Game saves: what a save holds comes back exactly (a second save of the
// loaded game gives the same bytes, and the game goes on as it would have),
// saves of every readable version load, and a save that cannot be used or
// written changes nothing.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "content/file_stream.h"
#include "scenario/empty_history.h"
#include "scenario/game_save.h"
#include "scenario/project.h"
#include "scenario/project_source.h"
#include "scenario/save_caption_functions.h"
#include "scenario/save_file.h"
#include "scenario/variable_dump.h"
#include "scenario_fixtures.h"
#include "script/sys_func_man.h"

namespace rivo {
namespace {

// Page name to page source.
using Pages = std::map<std::string, std::string>;

namespace fs = std::filesystem;

const std::string kUnusable = "このセーブデータは使用できません\r\n終了してください";
const std::string kTooOld = "セーブファイルの形式が古いため読めません\r\nsave.dat を削除してから実行してください";

// The pages of a game that, a few ticks in, stands inside a handler that
// waits, which interrupted a called page that waits too; its variables are
// of every kind, with an array, a real and a local; a box holding an
// image and a timer are on the screen.
const std::map<std::string, std::string> kRoundTripPages = {
    {"main.rsb",
     "VarNew n\n  . kind integer\n  . value 7\n"
     "VarNew r\n  . kind real\n  . value 2.5\n"
     "VarNew f\n  . kind flag\n  . value TRUE\n"
     "VarNew s\n  . kind string\n  . value \"text\"\n"
     "VarNew arr\n  . kind integer\n"
     "VarNew got\n  . kind integer\n"
     "VarNew log\n  . kind string\n"
     "VarNew ref\n  . kind 0\n  . value \"n\"\n"
     "BoxNew\n  . PR_NAME \"A\"\n  . PR_PARENT \"\"\n  . PR_LEFT 20\n  . PR_WIDTH 60\n  . PR_HEIGHT 60\n"
     "Timer\n  . PR_NAME \"t\"\n  . PR_DELAY 200\n  . PR_ONNOTIFY \"tick.rsb\"\n"
     "ImgNew\n  . PR_NAME \"pic\"\n  . PR_PARENT \"A\"\n  . PR_SOURCE \"pic.orb\"\n  . PR_ALPHA 128\n"
     "Calc x = SetArray(arr, 3, 2)\n"
     "Calc arr[2, 1] = 21\n"
     "Call sub.rsb\n  . result got\n  . cond TRUE\n  . args 40\n  . args \"two\"\n"
     "Calc log = log ++ \"main back;\"\n"
     "Wait TRUE\n  . time 100\n"
     "Calc log = log ++ \"main done;\"\n"},
    {"sub.rsb",
     "page 112\nreturn integer\n"
     "VarNew loc\n  . kind real\n  . value 1.25\n  . scope 2\n"
     "Wait TRUE\n  . time 160\n"
     "Calc @Result = @ParamStr[0] + 1\n"
     "Calc log = log ++ \"sub \" ++ @ParamStr[1] ++ \";\"\n"},
    {"tick.rsb", "Calc log = log ++ \"tick;\"\n"},
    {"ev.rsb",
     "Calc log = log ++ \"handler \" ++ @ParamStr[0] ++ \";\"\n"
     "Wait TRUE\n  . time 64\n"
     "Calc log = log ++ \"handler done;\"\n"},
};

struct Game {
  static inline std::atomic<int> counter{0};
  fs::path folder = fs::temp_directory_path() /
                    ("game_save_test." + std::to_string(::getpid()) + "." + std::to_string(counter++));
  fs::path save = folder / "save.dat";
  test::FakeHost host;
  ScenarioSystemServices services;
  TParamCollection variables{&services};
  TSysFuncMan functions{variables, nullptr, 1};
  TRivoBaseList screen;
  std::unique_ptr<TProject> project;
  std::optional<SaveCaptionFunctions> captions;

  explicit Game(const Pages& pages, std::string extra_project = "") {
    fs::create_directories(folder);
    host.files["rivo.rpb"] = ParseProjectSource("version 112\ntitle \"T\"\nscreen 320 200\nstart main.rsb\n"
                                                "var integer score 5\n" + extra_project)
                                 .Write();
    for (const auto& [name, source] : pages) host.AddPage(name, source);
  }
  ~Game() {
    Stop();
    fs::remove_all(folder);
  }
  void Start() {
    project = std::make_unique<TProject>(host, &variables, screen);
    project->UseSaveFile(save, &functions.Tables());
    captions.emplace(functions, *project);
    project->Create();
    services.SetCallManager(project->CallManager());
  }
  void Stop() {
    services.SetCallManager(nullptr);
    project.reset();
    captions.reset();
  }
  // One frame tick as the host runs it.
  bool Tick() {
    host.elapsed += host.delta;
    project->Step();
    screen.Tick();
    const bool loaded = project->RunPendingLoad();
    project->RunPendingSave();
    return loaded;
  }
  void Ticks(int count) {
    for (int i = 0; i < count; ++i) Tick();
  }
  void Event(const std::string& target, std::vector<std::string> args = {}) {
    TTimerData e;
    e.Page = target;
    e.Args = std::move(args);
    screen.Events().Add(std::move(e));
  }
  std::string Str(const std::string& name) {
    TParamCollectionItem* v = variables.Find(name);
    return v ? v->Param().AsStr() : "<none>";
  }
  std::string Entry(const std::string& name) {
    SaveFile file(save);
    file.Open();
    return file.Entry(name).value_or("");
  }
  void PutEntry(const std::string& name, const std::string& bytes) { SaveFile(save).Put(name, bytes); }
  // The game variables as --dump-vars shows them.
  std::string Vars() { return DumpVariablesJson(variables); }
};

// Four ticks into the round-trip game: sub.rsb waits (called from main with
// arguments), and ev.rsb, dispatched over it, waits too.
void RunToTheHandler(Game& g) {
  g.Start();
  g.Ticks(2);
  g.Event("ev.rsb", {"E"});
  g.Ticks(2);
  ASSERT_EQ(g.project->CallManager()->State(), 2);
  ASSERT_EQ(g.project->CallManager()->CallStack().Count(), 2);
}

TEST(GameSave, SaveLoadSaveGivesTheSameBytes) {
  Game g(kRoundTripPages);
  RunToTheHandler(g);
  g.project->SaveGame(1, "", "first", 0);
  const std::string saved = g.Entry("GAMESAVEDATA1");
  const std::string status = g.Entry("STATUSSAVEDATA");
  ASSERT_FALSE(saved.empty());
  ASSERT_TRUE(g.project->LoadGame(1));
  EXPECT_NE(g.screen.FindObjectByName("A"), nullptr);
  EXPECT_NE(g.screen.FindObjectByName("t"), nullptr);
  EXPECT_NE(g.screen.FindObjectByName("pic"), nullptr);
  g.project->SaveGame(1, "", "first", 0);
  EXPECT_EQ(g.Entry("GAMESAVEDATA1"), saved);
  EXPECT_EQ(g.Entry("STATUSSAVEDATA"), status);
  EXPECT_TRUE(g.host.boxes.empty());

  // A fresh player over the same file reads the same bytes back too.
  Game h(kRoundTripPages);
  fs::copy_file(g.save, h.save);
  h.Start();
  h.Ticks(1);
  ASSERT_TRUE(h.project->LoadGame(1));
  h.project->SaveGame(1, "", "first", 0);
  EXPECT_EQ(h.Entry("GAMESAVEDATA1"), saved);
}

// The commands a player traced after a point.
std::vector<std::string> TraceAfter(const test::FakeHost& host, std::size_t from) {
  return {host.trace.begin() + static_cast<std::ptrdiff_t>(from), host.trace.end()};
}

TEST(GameSave, ALoadedGameGoesOnAsTheSavedOneDid) {
  Game g(kRoundTripPages);
  RunToTheHandler(g);
  g.project->SaveGame(1, "", "first", 0);
  const int32_t saved_at = g.host.elapsed;
  const std::size_t mark = g.host.trace.size();
  g.Ticks(30);
  const std::vector<std::string> after_save = TraceAfter(g.host, mark);
  const std::string vars_after_save = g.Vars();
  EXPECT_EQ(g.Str("log"), "handler E;handler done;sub two;main back;main done;");
  EXPECT_EQ(g.Str("got"), "41");

  Game h(kRoundTripPages);
  fs::copy_file(g.save, h.save);
  h.Start();
  h.Ticks(3);
  h.host.elapsed = saved_at - h.host.delta;
  h.project->CallManager()->Pending().load = 1;
  ASSERT_TRUE(h.Tick());
  h.host.elapsed = saved_at;
  std::size_t h_mark = h.host.trace.size();
  h.Ticks(30);
  std::vector<std::string> after_load = TraceAfter(h.host, h_mark);
  // The loaded game first traces the command it stands on, once more.
  ASSERT_FALSE(after_load.empty());
  EXPECT_TRUE(after_load.front().ends_with(" : ev.rsb(2)")) << after_load.front();
  after_load.erase(after_load.begin());
  EXPECT_EQ(after_load, after_save);
  EXPECT_EQ(h.Vars(), vars_after_save);
}

TEST(GameSave, AWaitResumesWithItsRemainingTime) {
  Game g(Pages{{"main.rsb", "VarNew done\n  . kind integer\nWait TRUE\n  . time 160\nCalc done = 1\nWait TRUE\n"}});
  g.Start();
  g.Ticks(4);  // the first tick does not count: 160 - 3 x 16 remain
  g.project->SaveGame(2, "", "mid-wait", 0);
  g.Ticks(10);
  ASSERT_TRUE(g.project->LoadGame(2));
  g.Ticks(6);
  EXPECT_EQ(g.Str("done"), "0");
  g.Ticks(1);
  EXPECT_EQ(g.Str("done"), "1");
}

TEST(GameSave, AHandlerComesBackAndReturnsToTheMainProcess) {
  Game g(Pages{{"main.rsb", "VarNew log\n  . kind string\nVarNew x\n  . kind integer\nWait TRUE\n  . time 320\nCalc log = log ++ \"main;\"\nWait TRUE\n"},
          {"ev.rsb", "Wait TRUE\n  . time 48\nCalc log = log ++ \"handler;\"\n"}});
  g.Start();
  g.Ticks(2);
  g.Event("ev.rsb");
  g.Ticks(2);
  g.project->SaveGame(1, "", "in handler", 0);
  Game h(Pages{{"main.rsb", "VarNew log\n  . kind string\nVarNew x\n  . kind integer\nWait TRUE\n  . time 320\nCalc log = log ++ \"main;\"\nWait TRUE\n"},
          {"ev.rsb", "Wait TRUE\n  . time 48\nCalc log = log ++ \"handler;\"\n"}});
  fs::copy_file(g.save, h.save);
  h.Start();
  ASSERT_TRUE(h.project->LoadGame(1));
  EXPECT_EQ(h.project->CallManager()->State(), 2);
  h.Ticks(5);
  EXPECT_EQ(h.Str("log"), "handler;");
  EXPECT_EQ(h.project->CallManager()->State(), 0);
  h.Ticks(20);
  EXPECT_EQ(h.Str("log"), "handler;main;");
}

const std::map<std::string, std::string> kLoadPagePages = {
    {"main.rsb",
     "VarNew log\n  . kind string\nVarNew x\n  . kind integer\nWait TRUE\n  . time 320\nCalc log = log ++ \"main;\"\nWait TRUE\n"},
    {"lp.rsb",
     "Calc log = log ++ \"skipped;\"\nLabel from\nCalc log = log ++ \"lp;\"\n"
     "Call p0.rsb\n  . cond TRUE\nCall p1.rsb\n  . cond TRUE\nCall p2.rsb\n  . cond TRUE\nCall p3.rsb\n  . cond TRUE\nCall p4.rsb\n  . cond TRUE\nCall p5.rsb\n  . cond TRUE\nCall p6.rsb\n  . cond TRUE\n"
     "Call p7.rsb\n  . cond TRUE\nCall p8.rsb\n  . cond TRUE\nCall p9.rsb\n  . cond TRUE\nCall p10.rsb\n  . cond TRUE\n"},
    {"p0.rsb", "Calc x = 0\n"}, {"p1.rsb", "Calc x = 1\n"}, {"p2.rsb", "Calc x = 2\n"},
    {"p3.rsb", "Calc x = 3\n"}, {"p4.rsb", "Calc x = 4\n"}, {"p5.rsb", "Calc x = 5\n"},
    {"p6.rsb", "Calc x = 6\n"}, {"p7.rsb", "Calc x = 7\n"}, {"p8.rsb", "Calc x = 8\n"},
    {"p9.rsb", "Calc x = 9\n"}, {"p10.rsb", "Calc x = 10\n"},
};

// The load page runs from its index, then the saved Wait goes on with its
// remaining time even though the load page's calls pushed its page out of
// the page cache.
TEST(GameSave, ALoadPageRunsFromItsIndexAndReturns) {
  for (int32_t index : {2, 0, -3}) {
    SCOPED_TRACE(index);
    Game g(kLoadPagePages);
    g.Start();
    g.Ticks(10);  // 320 - 9 x 16 = 176 ms remain
    g.project->SaveGame(1, "lp.rsb", "with load page", index);
    ASSERT_TRUE(g.project->LoadGame(1));
    g.Ticks(1);
    EXPECT_EQ(g.Str("log"), index > 0 ? "lp;" : "skipped;lp;");
    EXPECT_EQ(g.Str("x"), "10");
    g.Ticks(9);
    EXPECT_EQ(g.Str("log"), index > 0 ? "lp;" : "skipped;lp;");
    g.Ticks(3);
    EXPECT_EQ(g.Str("log"), index > 0 ? "lp;main;" : "skipped;lp;main;");
  }
}

TEST(GameSave, LoadingKeepsStatusVariablesAndReplacesGameVariables) {
  Game g(Pages{{"main.rsb", "Calc score = 9\nVarNew g\n  . kind integer\n  . value 1\nWait TRUE\n"}});
  g.Start();
  g.Ticks(1);
  g.project->SaveGame(4, "", "four", 0);
  g.project->CallManager()->JumpTo("main.rsb");
  TParamCollectionItem* g_var = g.variables.Find("g");
  g_var->Param().SetInt(2);
  g.variables.Find("score")->Param().SetInt(11);
  TParamCollectionItem& extra = g.variables.AddVariable(PT_INT);
  g.variables.SetName(extra, "extra");
  ASSERT_TRUE(g.project->LoadGame(4));
  EXPECT_EQ(g.Str("g"), "1");
  EXPECT_EQ(g.Str("score"), "11");
  EXPECT_EQ(g.Str("extra"), "<none>");
}

TEST(GameSave, SavingASlotTwiceKeepsOneEntryAndOneCaption) {
  Game g(Pages{{"main.rsb",
           "VarNew caps\n  . kind string\nVarNew slots\n  . kind integer\nVarNew n\n  . kind integer\n"
           "VarNew count\n  . kind integer\nVarNew c3\n  . kind string\n"
           "Label top\nCalc n = n + 1\nGameSave 3\n  . caption \"run \" ++ n\n"
           "Jump main.rsb\n  . target @top\n  . cond n < 3\n"
           "GameSave 5\n  . caption \"\"\n"
           "Calc count = ListSaveCaption(caps, slots)\n"
           "Calc c3 = GetSaveCaption(3) ++ \"|\" ++ GetSaveCaption(4)\nWait TRUE\n"}});
  g.Start();
  g.Ticks(6);
  SaveFile file(g.save);
  ASSERT_EQ(file.Open(), SaveFile::State::kReadable);
  int slot3 = 0;
  for (const std::string& name : file.EntryNames()) slot3 += name == "GAMESAVEDATA3" ? 1 : 0;
  EXPECT_EQ(slot3, 1);
  EXPECT_FALSE(file.Entry("GAMESAVEDATA5"));  // an empty caption saves nothing
  ASSERT_EQ(g.project->SaveCaptions().size(), 1u);
  EXPECT_EQ(g.project->SaveCaptions()[0], std::make_pair(std::string("run 3"), 3));
  // The functions read the same list.
  EXPECT_EQ(g.Str("count"), "1");
  EXPECT_EQ(g.variables.Find("caps")->Param().GetStrAt(0), "run 3");
  EXPECT_EQ(g.variables.Find("slots")->Param().GetIntAt(0), 3);
  EXPECT_EQ(g.Str("c3"), "run 3|");
  // A new player reads it from the file.
  g.Stop();
  g.Start();
  ASSERT_EQ(g.project->SaveCaptions().size(), 1u);
  EXPECT_EQ(g.project->SaveCaptions()[0], std::make_pair(std::string("run 3"), 3));
}

TEST(GameSave, WithWriteStatusOffGameSavesAreWrittenAndTheStatusStays) {
  Game g(Pages{{"main.rsb", "Calc score = 77\nWait TRUE\n"}}, "write-status 0\n");
  ByteWriter old_status;
  old_status.Bytes("Status103");
  old_status.I32(0), old_status.I32(0), old_status.String(""), old_status.I32(0), old_status.I32(0),
      old_status.String(""), old_status.U8(0), old_status.I32(100), old_status.I32(0);
  g.PutEntry("STATUSSAVEDATA", old_status.data());
  g.Start();
  g.Ticks(1);
  g.project->SaveGame(1, "", "one", 0);
  EXPECT_FALSE(g.Entry("GAMESAVEDATA1").empty());
  EXPECT_EQ(g.Entry("STATUSSAVEDATA"), old_status.data());
}

// --- saves of every readable version, written here field by field

// A control record (a base) as the given version laid it out, empty.
void WriteEmptyBase(ByteWriter& out, int32_t v, int32_t index) {
  out.String(index == 0 ? "\x01" "BASE0" : "\x01" "BASE1");
  out.I32(0);  // priority
  if (v > 103) out.I32(0);
  if (v >= 120) out.String("");
  for (int32_t x : {0, 0, 8, 8, 0, 0}) out.I32(x);
  out.Bool(false);
  if (v >= 130) for (int i = 0; i < 4; ++i) out.I32(0);
  if (v > 103) {
    for (int i = 0; i < 4; ++i) out.I32(0);
    out.Bool(false);
  }
  out.Bool(true);
  out.I32(0);
  for (int i = 0; i < 4; ++i) out.I32(0);
  out.U8(0);
  out.String("");
  out.String("");
  if (v > 101) out.String("");
  for (int i = 0; i < 7; ++i) out.String("");
  if (v > 117) {
    out.Bool(false);
    for (int i = 0; i < 5; ++i) out.String("");
  }
  out.I32(0);  // no children
}

// One message history with an old entry and a page of one block.
void WriteHistory(ByteWriter& out, int32_t v) {
  if (v < 113) {
    out.String("old");
    out.I32(1), out.String("main.rsb"), out.I32(3), out.I32(0), out.I32(320), out.I32(80);
    out.String(""), out.I32(0), out.I32(0), out.I32(0), out.I32(0), out.String("win");
    return;
  }
  out.I32(1), out.String("main.rsb"), out.I32(3), out.I32(0), out.I32(320), out.I32(80);
  out.String(""), out.I32(0), out.I32(0), out.I32(0), out.I32(0), out.String("win");
  out.I32(50);
  for (int i = 0; i < 8; ++i) out.I32(0);
  out.I32(1), out.I32(1), out.String("main.rsb");
  for (int i = 0; i < 4; ++i) out.I32(1);
  if (v > 123) out.String("values");
  out.I32(1);
  if (v > 123) out.String("");
}

// A save of version v standing in a Wait of main.rsb with 48 ms to go and
// the game variable n set to v.
std::string OldSave(int32_t v, uint8_t object_kind = 0) {
  ByteWriter out;
  out.I32(v), out.String("old save"), out.String(""), out.I32(0);
  out.I32(8), out.I32(8), out.I32(0);
  WriteEmptyBase(out, v, 0);
  WriteEmptyBase(out, v, 1);
  if (object_kind) {
    out.I32(1), out.U8(object_kind), out.String("obj"), out.I32(0), out.I32(0), out.String("");
  } else {
    out.I32(0);  // other objects
  }
  out.I32(0);  // events
  if (v > 118) out.String("");
  if (v >= 135) {
    out.I32(1), out.String("");
    for (int i = 0; i < 6; ++i) out.I32(0);
  }
  WriteHistory(out, v);
  // The interpreter: main.rsb at 1 (the Wait), started, no frames.
  out.String("main.rsb"), out.I32(1), out.Bool(false), out.Bool(true), out.I32(0), out.String(""), out.I32(0);
  out.String(""), out.I32(0), out.Bool(false), out.Bool(false), out.String(""), out.I32(0), out.String(""),
      out.I32(0), out.U8(0);
  out.I32(0);
  if (v >= 116) out.I32(2);
  if (v >= 122) out.Bytes("rivo100");  // older ones write the untagged record
  out.I32(48), out.I32(0);
  if (v >= 122) out.U8(0);
  // The variables: n.
  out.I32(1), out.U8(PT_INT), out.String("n"), out.I32(0), out.I32(1), out.I32(v);
  out.U8(0), out.U8(0), out.I32(0), out.U8(0);
  out.I32(50), out.String("");
  out.String(""), out.I32(-1);
  if (v > 112 && v < 135) for (int i = 0; i < 6; ++i) out.I32(0);
  if (v > 120) out.String("");
  if (v > 122) out.I32(100), out.I32(0), out.String("");
  return out.Take();
}

const std::map<std::string, std::string> kWaitPages = {
    {"main.rsb", "VarNew n\n  . kind integer\nWait TRUE\n  . time 1000\nVarNew done\n  . kind integer\n  . value 1\nWait TRUE\n"}};

TEST(GameSave, SavesOfEveryVersionGateLoad) {
  for (int32_t v : {107, 112, 113, 116, 118, 119, 120, 122, 123, 124, 130, 135, 138}) {
    SCOPED_TRACE(v);
    Game g(kWaitPages);
    g.PutEntry("GAMESAVEDATA1", OldSave(v));
    g.Start();
    g.Ticks(1);
    ASSERT_TRUE(g.project->LoadGame(1)) << (g.host.boxes.empty() ? "" : g.host.boxes[0]);
    EXPECT_EQ(g.Str("n"), std::to_string(v));
    g.Ticks(2);
    EXPECT_EQ(g.Str("done"), "<none>");
    g.Ticks(1);
    EXPECT_EQ(g.Str("done"), "1");
    EXPECT_TRUE(g.host.boxes.empty());
    EXPECT_FALSE(g.host.terminating);
  }
}

// A save holding an object of a kind this player cannot make yet is
// refused whole, never half loaded.
TEST(GameSave, ASaveWithAnObjectKindThePlayerLacksIsRefused) {
  uint8_t missing = 0;
  for (uint8_t kind = 2; kind < 28 && !missing; ++kind)
    if (!HasObjectKind(kind)) missing = kind;
  if (!missing) GTEST_SKIP() << "every object kind exists";
  Game g(kWaitPages);
  g.PutEntry("GAMESAVEDATA1", OldSave(138, missing));
  g.Start();
  g.Ticks(1);
  const std::string vars = g.Vars();
  const int32_t objects = g.screen.ObjectCount();
  EXPECT_FALSE(g.project->LoadGame(1));
  EXPECT_EQ(g.host.boxes, std::vector<std::string>{"T|" + kUnusable});
  EXPECT_EQ(g.Vars(), vars);
  EXPECT_EQ(g.screen.ObjectCount(), objects);
  EXPECT_FALSE(g.host.terminating);
}

// Every prefix of a save is refused before anything of the running game
// changes; the whole save loads.
TEST(GameSave, TruncatedSavesChangeNothing) {
  Game g(kRoundTripPages);
  RunToTheHandler(g);
  g.project->SaveGame(1, "", "first", 0);
  const std::string whole = g.Entry("GAMESAVEDATA1");
  TCallMan& calls = *g.project->CallManager();
  EmptyHistory history;
  GameSaveParts parts{g.screen, history, calls, &g.variables, &g.functions.Tables()};
  const std::string vars = g.Vars();
  for (std::size_t size = 0; size < whole.size(); ++size)
    EXPECT_THROW(CheckGameSave(std::string_view(whole).substr(0, size), parts), RivoError) << size;
  EXPECT_NO_THROW(CheckGameSave(whole, parts));
  EXPECT_EQ(g.Vars(), vars);

  // Through the player: the message, the game as it was, and a save asked
  // for in the same tick is not made.
  for (std::size_t size : {std::size_t{0}, std::size_t{3}, std::size_t{40}, whole.size() / 2, whole.size() - 1}) {
    SCOPED_TRACE(size);
    g.host.boxes.clear();
    g.PutEntry("GAMESAVEDATA9", whole.substr(0, size));
    calls.Pending().load = 9;
    calls.Pending().save = 8;
    calls.Pending().save_caption = "after a failed load";
    EXPECT_FALSE(g.project->RunPendingLoad());
    g.project->RunPendingSave();
    EXPECT_EQ(g.host.boxes, std::vector<std::string>{"T|" + kUnusable});
    EXPECT_FALSE(g.host.terminating);
    EXPECT_EQ(g.Vars(), vars);
    EXPECT_EQ(calls.State(), 2);
    EXPECT_TRUE(g.Entry("GAMESAVEDATA8").empty());
  }
}

// Damaged fields that would hang, crash or allocate without end.
TEST(GameSave, DamagedSavesGiveTheUnusableMessage) {
  Game g(kWaitPages);
  g.Start();
  g.Ticks(2);
  g.project->SaveGame(1, "", "good", 0);
  const std::string good = g.Entry("GAMESAVEDATA1");
  // Where the interpreter section starts: after header, screen and history.
  ByteReader in(good, "save");
  ReadGameSaveHeader(in);
  {
    TRivoBaseList scratch;
    scratch.SetWidth(g.screen.GetWidth());
    scratch.SetHeight(g.screen.GetHeight());
    scratch.LoadFromStream(in, kGameSaveVersion);
  }
  EmptyHistory().LoadFromStream(in, kGameSaveVersion);
  const std::size_t interpreter = in.Position();
  const std::size_t state_at = interpreter + 4 + 8 + 4 + 1 + 1;  // name "main.rsb", pc, two flags
  const std::size_t args_at = state_at + 4 + 4;                   // state, empty sender
  const std::size_t frames_at = args_at + 4 + (4 + 4 + 1 + 1 + 4 + 4 + 4 + 4 + 1);
  auto patched = [&](std::size_t at, int32_t value) {
    std::string bytes = good;
    ByteWriter v;
    v.I32(value);
    bytes.replace(at, 4, v.data());
    return bytes;
  };
  struct Case {
    const char* what;
    std::string entry;
    std::string box;
  };
  const Case cases[] = {
      {"state 4", patched(state_at, 4), kUnusable},
      {"state -1", patched(state_at, -1), kUnusable},
      {"argument count -1", patched(args_at, -1), kUnusable},
      {"argument count huge", patched(args_at, 0x7fffffff), kUnusable},
      {"frame count past the end", patched(frames_at, 1000000), kUnusable},
      {"page name length huge", patched(interpreter, 0x40000000), kUnusable},
      {"newer version", patched(0, 139), kUnusable},
      {"older version", patched(0, 106), kTooOld},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g.host.boxes.clear();
    g.host.terminating = false;
    g.PutEntry("GAMESAVEDATA2", c.entry);
    const std::string vars = g.Vars();
    EXPECT_FALSE(g.project->LoadGame(2));
    EXPECT_EQ(g.host.boxes, std::vector<std::string>{"T|" + c.box});
    EXPECT_EQ(g.Vars(), vars);
    // Only a save too old to read stops the game, as its message says.
    EXPECT_EQ(g.host.terminating, c.box == kTooOld);
  }
  // A slot without a save: nothing happens.
  g.host.boxes.clear();
  EXPECT_FALSE(g.project->LoadGame(7));
  EXPECT_TRUE(g.host.boxes.empty());
}

// A save that cannot be written (the disk is full) says so and leaves the
// file, the captions and the status as they were.
TEST(GameSave, ASaveThatCannotBeWrittenChangesNothing) {
  Game g(kWaitPages);
  g.Start();
  g.Ticks(2);
  g.project->SaveGame(1, "", "kept", 0);
  const std::string before = ReadWholeFile(g.save);
  rlimit old_limit{};
  getrlimit(RLIMIT_FSIZE, &old_limit);
  auto old_handler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = old_limit;
  small.rlim_cur = before.size() / 2;
  setrlimit(RLIMIT_FSIZE, &small);
  g.project->SaveGame(2, "", "lost", 0);
  setrlimit(RLIMIT_FSIZE, &old_limit);
  signal(SIGXFSZ, old_handler);
  EXPECT_EQ(g.host.boxes, std::vector<std::string>{"T|セーブできませんでした"});
  EXPECT_EQ(ReadWholeFile(g.save), before);
  EXPECT_EQ(g.project->GetSaveCaption(2), "");
  EXPECT_EQ(g.project->SaveCaptions().size(), 1u);
  for (const auto& entry : fs::directory_iterator(g.folder)) EXPECT_EQ(entry.path().filename(), "save.dat");
}

}  // namespace
}  // namespace rivo
