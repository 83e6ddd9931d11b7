// The save file container and its status entry: entries replaced in
// place, loose files ignored, the status data read back at every version
// gate, and damaged data refused without changing anything.

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "content/file_stream.h"
#include "scenario/save_file.h"
#include "scenario/status_data.h"
#include "scenario/status_part.h"
#include "script/db_manager.h"
#include "script/param_collection.h"

namespace rivo {
namespace {

namespace fs = std::filesystem;

struct Folder {
  fs::path path = fs::temp_directory_path() / ("status_data_test." + std::to_string(::getpid()));
  Folder() { fs::create_directories(path); }
  ~Folder() { fs::remove_all(path); }
};

TEST(SaveFile, EntriesAreReplacedOrAddedAndOthersKept) {
  Folder folder;
  SaveFile file(folder.path / "save.dat");
  EXPECT_EQ(file.Open(), SaveFile::State::kAbsent);
  file.Put("GAMESAVEDATA3", "first");
  file.Put("STATUSSAVEDATA", "status");
  file.Put("GAMESAVEDATA3", "second");
  SaveFile again(folder.path / "save.dat");
  ASSERT_EQ(again.Open(), SaveFile::State::kReadable);
  EXPECT_EQ(again.EntryNames(), (std::vector<std::string>{"STATUSSAVEDATA", "GAMESAVEDATA3"}));
  EXPECT_EQ(again.Entry("GAMESAVEDATA3"), "second");
  EXPECT_EQ(again.Entry("STATUSSAVEDATA"), "status");
  EXPECT_EQ(again.Entry("GAMESAVEDATA4"), std::nullopt);
}

TEST(SaveFile, ALooseFileOfAnEntrysNameBesideItIsNeverRead) {
  Folder folder;
  SaveFile file(folder.path / "save.dat");
  file.Put("STATUSSAVEDATA", "inside");
  std::ofstream(folder.path / "STATUSSAVEDATA") << "loose";
  ASSERT_EQ(file.Open(), SaveFile::State::kReadable);
  EXPECT_EQ(file.Entry("STATUSSAVEDATA"), "inside");
}

TEST(SaveFile, ADamagedFileIsReportedAndNeverWrittenOver) {
  Folder folder;
  fs::path path = folder.path / "save.dat";
  std::ofstream(path) << "vf damaged beyond repair";
  SaveFile file(path);
  EXPECT_EQ(file.Open(), SaveFile::State::kDamaged);
  EXPECT_FALSE(file.Problem().empty());
  EXPECT_THROW(file.Put("STATUSSAVEDATA", "x"), RivoError);
  EXPECT_EQ(ReadWholeFile(path), "vf damaged beyond repair");
}

TEST(SaveFile, SlotNumbersComeOnlyFromWellFormedNames) {
  const std::pair<std::string, std::optional<int32_t>> cases[] = {
      {"GAMESAVEDATA0", 0},     {"GAMESAVEDATA3", 3},         {"GAMESAVEDATA12", 12},
      {"GAMESAVEDATA", {}},     {"GAMESAVEDATA-1", {}},       {"GAMESAVEDATA3x", {}},
      {"STATUSSAVEDATA", {}},   {"GAMESAVEDATA99999999999", {}}};
  for (const auto& [name, slot] : cases) EXPECT_EQ(SaveFile::SlotOf(name), slot) << name;
  EXPECT_EQ(SaveFile::GameEntryName(3), "GAMESAVEDATA3");
}

// The status of one game: a status variable, a game variable (never part
// of the status), a persistent table and a game table.
struct Status {
  TParamCollection variables;
  TDBManager tables;
  KeptReadMarks read_marks;
  KeptImageCacheState image_cache;
  StatusSections Sections() { return {&variables, &tables, &read_marks, &image_cache}; }

  void AddInt(const std::string& name, int32_t value, uint8_t scope) {
    TParamCollectionItem& item = variables.AddVariable(PT_INT);
    variables.SetName(item, name);
    variables.SetScope(item, scope);
    item.Param().SetInt(value);
  }
  std::optional<int32_t> Int(const std::string& name) const {
    const TParamCollectionItem* item = variables.Find(name);
    if (!item) return std::nullopt;
    return item->Param().AsInt();
  }
};

// A read-mark list of one page with two marks and a pending mark.
std::string ReadMarks() {
  ByteWriter out;
  out.I32(1);
  out.String("main.rsb");
  out.I32(2);
  out.I32(4), out.I32(9);
  out.I32(0), out.I32(1);
  out.String("main.rsb"), out.I32(12), out.I32(0), out.String("mes");
  return out.Take();
}

// A status entry as stored at a given version: tagged "Status%.3d", or
// untagged for version 0.
std::string StatusAt(int32_t version, int32_t score) {
  Status s;
  s.AddInt("score", score, VS_STATUS);
  s.tables.Create("records", 1);
  ByteWriter out;
  if (version > 0) {
    char tag[24];
    std::snprintf(tag, sizeof tag, "Status%.3d", version);
    out.Bytes(tag);
  }
  s.variables.SaveStatusSection(out);
  if (version >= 100) out.Bytes(ReadMarks());
  if (version > 100) out.U8(1);
  if (version >= 103) s.tables.SaveToStream(out, 1);
  return out.Take();
}

TEST(StatusData, WrittenStatusReadsBackWithoutTheGamesOwnData) {
  Status saved;
  saved.AddInt("score", 42, VS_STATUS);
  saved.AddInt("place", 7, 0);
  saved.tables.Create("records", 1);
  saved.tables.Create("scratch", 0);
  const std::string mark_bytes = ReadMarks();
  ByteReader marks(mark_bytes, "marks");
  saved.read_marks.LoadFromStream(marks, 103);
  std::string entry = WriteStatusEntry(saved.Sections());
  EXPECT_EQ(entry.substr(0, 9), "Status103");
  EXPECT_EQ(StatusVersionOf(entry), 103);

  Status loaded;
  ReadStatusEntry(entry, loaded.Sections());
  EXPECT_EQ(loaded.Int("score"), 42);
  EXPECT_EQ(loaded.Int("place"), std::nullopt);
  EXPECT_NE(loaded.tables.Find("records"), nullptr);
  EXPECT_EQ(loaded.tables.Find("scratch"), nullptr);
  EXPECT_EQ(loaded.read_marks.Bytes(), ReadMarks());
  // Written again, the entry is the same bytes.
  EXPECT_EQ(WriteStatusEntry(loaded.Sections()), entry);
}

TEST(StatusData, EveryVersionGateReads) {
  for (int32_t version : {0, 99, 100, 101, 102, 103}) {
    Status loaded;
    ReadStatusEntry(StatusAt(version, 5), loaded.Sections());
    EXPECT_EQ(loaded.Int("score"), 5) << version;
    EXPECT_EQ(loaded.read_marks.Bytes(), version >= 100 ? ReadMarks() : "") << version;
    EXPECT_EQ(loaded.image_cache.Value(), version > 100 ? 1 : 0) << version;
    EXPECT_EQ(loaded.tables.Find("records") != nullptr, version >= 103) << version;
  }
  EXPECT_EQ(StatusVersionOf("Statusabc"), 0);
  EXPECT_EQ(StatusVersionOf("Status"), 0);
}

TEST(StatusData, ANewerVersionIsRefusedBeforeAnythingChanges) {
  std::string entry = StatusAt(103, 5);
  entry.replace(6, 3, "104");
  Status loaded;
  loaded.AddInt("score", 1, VS_STATUS);
  EXPECT_THROW(ReadStatusEntry(entry, loaded.Sections()), LoadError);
  EXPECT_EQ(loaded.Int("score"), 1);
}

TEST(StatusData, TruncatedAtEveryOffsetGivesALoadErrorAndChangesNothing) {
  const std::string entry = StatusAt(103, 5);
  const int32_t system_variables = Status().variables.Count();
  for (std::size_t size = 9; size < entry.size(); ++size) {
    Status loaded;
    EXPECT_THROW(ReadStatusEntry(std::string_view(entry).substr(0, size), loaded.Sections()), LoadError) << size;
    EXPECT_EQ(loaded.variables.Count(), system_variables) << size;
    EXPECT_EQ(loaded.tables.Find("records"), nullptr) << size;
    EXPECT_EQ(loaded.read_marks.Bytes(), "") << size;
  }
}

TEST(StatusData, ReadMarkCountsBeyondTheDataAreRefused) {
  for (int32_t count : {-1, 1000000}) {
    ByteWriter out;
    out.I32(count);
    ByteReader in(out.data(), "marks");
    KeptReadMarks marks;
    EXPECT_THROW(marks.LoadFromStream(in, 103), LoadError) << count;
  }
  // The empty list's form: no pages and an empty pending mark.
  ByteWriter out;
  KeptReadMarks().SaveToStream(out);
  EXPECT_EQ(out.Size(), 4u + 4 + 4 + 4 + 4);
}

}  // namespace
}  // namespace rivo
