// TDBManager: the tables, the active one, copying between tables, and the
// save sections of the game's and the persistent tables.

#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "script/db_manager.h"
#include "script/typed_params.h"

namespace rivo {
namespace {

// Two tables of the game (one active) and a persistent one, with a record each.
void Fill(TDBManager& db) {
  ASSERT_EQ(db.Create("keep", 1), 0);
  TDBTable& keep = db[0];
  keep.AddField("seen", DB_BOOL, 0);
  keep.AddField("count", DB_INT, 0);
  keep.Append();
  keep.SetBool("seen", true);
  keep.SetInt("count", 3);
  ASSERT_EQ(db.Create("items", 0), 1);
  TDBTable& items = db[1];
  items.AddField("name", DB_STR, 12);
  items.AddField("price", DB_FLOAT, 0);
  for (const char* name : {"sword", "shield"}) {
    items.Append();
    items.SetStr("name", name);
    items.SetFloat("price", 12.5L);
  }
  items.GoTo(0);
  ASSERT_EQ(db.Create("empty", 0), 2);
  db.SetActive("items");
}

std::string Section(const TDBManager& db, int32_t status) {
  ByteWriter out;
  db.SaveToStream(out, status);
  return out.Take();
}

void Load(TDBManager& db, const std::string& bytes, int32_t status) {
  ByteReader in(bytes, "save.dat");
  db.LoadFromStream(in, status);
}

TEST(DBManager, CreateRefusesEmptyAndTakenNamesAndMakesTheNewTableActive) {
  TDBManager db;
  EXPECT_EQ(db.Create("", 0), -1);
  EXPECT_EQ(db.Create("a", 0), 0);
  EXPECT_EQ(db.Create("A", 0), -1);
  EXPECT_EQ(db.Create("b", 0), 1);
  EXPECT_EQ(db.ActiveTable()->Name(), "b");
  EXPECT_TRUE(db.SetActive("A"));
  EXPECT_EQ(db.Active(), 0);
  EXPECT_FALSE(db.SetActive("c"));
  EXPECT_EQ(db.Active(), 0);
}

TEST(DBManager, DeletingAnotherTableKeepsTheActiveOneByName) {
  TDBManager db;
  db.Create("a", 0);
  db.Create("b", 0);
  db.Create("c", 0);
  db.SetActive("c");
  EXPECT_TRUE(db.DeleteTable("a"));
  EXPECT_EQ(db.ActiveTable()->Name(), "c");
  EXPECT_FALSE(db.DeleteTable("a"));
  EXPECT_TRUE(db.DeleteTable("C"));
  EXPECT_EQ(db.ActiveTable(), nullptr);
  db.ClearAll();
  EXPECT_EQ(db.Count(), 0);
}

TEST(DBManager, AnyStatusButZeroMakesAPersistentTableThatAGameResetKeeps) {
  TDBManager db;
  db.Create("game", 0);
  db.Create("two", 2);
  db.Create("wraps", 256);
  db.Create("minus", -1);
  EXPECT_EQ(db[1].Status(), 1);
  EXPECT_EQ(db[2].Status(), 1);
  db.ClearUnsaved();
  EXPECT_EQ(db.Count(), 3);
  EXPECT_EQ(db.IndexOf("game"), -1);
  EXPECT_EQ(db.ActiveTable(), nullptr);
}

TEST(DBManager, CopySelectedAndInsertSelected) {
  TDBManager db;
  Fill(db);
  db.Create("copy", 0);
  db.SetActive("items");
  EXPECT_TRUE(db.CopySelected("copy", {1}));
  EXPECT_EQ(db.Find("copy")->RecordCount(), 1);
  EXPECT_EQ(db.Find("copy")->GetStr(0, 0), "shield");
  EXPECT_FALSE(db.CopySelected("items", {0}));
  EXPECT_FALSE(db.CopySelected("none", {0}));
  // Appends copies of the named table's records to the active one.
  EXPECT_TRUE(db.InsertSelected("copy", {0, 0}));
  EXPECT_EQ(db.ActiveTable()->RecordCount(), 4);
  EXPECT_EQ(db.ActiveTable()->GetStr(3, 0), "shield");
  EXPECT_FALSE(db.InsertSelected("keep", {0}));
}

TEST(DBManager, InsertSelectedFromATableWhoseFieldsDifferByOneSizeCopiesNothing) {
  TDBManager db;
  db.Create("a", 0);
  db.ActiveTable()->AddField("name", DB_STR, 10);
  db.Create("b", 0);
  db.ActiveTable()->AddField("NAME", DB_STR, 10);
  db.ActiveTable()->Append();
  db.Create("c", 0);
  db.ActiveTable()->AddField("name", DB_STR, 11);
  db.ActiveTable()->Append();
  db.SetActive("a");
  EXPECT_FALSE(db.InsertSelected("c", {0}));
  EXPECT_EQ(db.ActiveTable()->RecordCount(), 0);
  // Names match ignoring case.
  EXPECT_TRUE(db.InsertSelected("b", {0}));
  EXPECT_EQ(db.ActiveTable()->RecordCount(), 1);
}

TEST(DBManager, DirectAccessReadsAndWritesTheFirstMatch) {
  TDBManager db;
  Fill(db);
  TParamStr names, key;
  names.SetStr("name");
  key.SetStr("SHIELD");
  TDBManager::Lookup at{"items", names, key, false, true, "price"};
  EXPECT_EQ(db.DirectGetFloat(at), 12.5L);
  EXPECT_TRUE(db.DirectSetInt(at, 20));
  EXPECT_EQ(db.DirectGetStr(at), "20");
  EXPECT_EQ(db.Find("items")->GetFloat(1, 1), 20.0L);
  at.field = "nope";
  EXPECT_FALSE(db.DirectGetInt(at));
  at.field = "price";
  at.ignore_case = false;
  EXPECT_FALSE(db.DirectSetInt(at, 1));
  at.table = "none";
  EXPECT_FALSE(db.DirectGetBool(at));
  // The active table stays as it was.
  EXPECT_EQ(db.ActiveTable()->Name(), "items");
}

TEST(DBManager, SectionsHoldTheirOwnTablesAndWriteThemOut) {
  TDBManager db;
  Fill(db);
  std::string game = Section(db, 0);
  ByteReader in(game, "");
  EXPECT_EQ(in.I32(), 100);
  EXPECT_EQ(in.I32(), 2);
  EXPECT_EQ(in.U8(), 0);
  EXPECT_EQ(in.String(), "items");
  EXPECT_EQ(in.U8(), 0);
  EXPECT_EQ(in.I32(), 2);
  EXPECT_EQ(in.I32(), 13);
  EXPECT_EQ(in.String(), "name");
  EXPECT_EQ(in.U8(), DB_STR);
  EXPECT_EQ(in.I32(), 10);
  EXPECT_EQ(in.String(), "price");
  EXPECT_EQ(in.U8(), DB_FLOAT);
  EXPECT_EQ(in.I32(), 2);
  EXPECT_EQ(in.View(23).substr(0, 6), std::string_view("sword\0", 6));
  in.Skip(23);
  EXPECT_EQ(in.I32(), 0);
  // "empty", then the active table's name ends the game's section.
  in.Skip(1 + 4 + 5 + 1 + 4 + 4 + 4);
  EXPECT_EQ(in.String(), "items");
  EXPECT_TRUE(in.AtEnd());
  std::string status = Section(db, 1);
  EXPECT_EQ(status.size(), 4 + 4 + (1 + 4 + 4 + 1) + 4 + (4 + 4 + 4 + 1) + (4 + 4 + 5 + 1) + 4 + 5 + 4);
}

TEST(DBManager, SavedSectionsLoadBackByteForByte) {
  TDBManager db;
  Fill(db);
  std::string game = Section(db, 0), status = Section(db, 1);
  TDBManager loaded;
  Load(loaded, status, 1);
  Load(loaded, game, 0);
  EXPECT_EQ(Section(loaded, 0), game);
  EXPECT_EQ(Section(loaded, 1), status);
  EXPECT_EQ(loaded.ActiveTable()->Name(), "items");
  EXPECT_EQ(loaded.ActiveTable()->Current(), 0);
  EXPECT_EQ(loaded.Find("items")->GetStr(1, 0), "shield");
  EXPECT_EQ(loaded.Find("keep")->GetInt(0, 1), 3);
}

TEST(DBManager, LoadingOneSectionReplacesOnlyItsOwnTables) {
  TDBManager db;
  Fill(db);
  std::string game = Section(db, 0);
  db.DeleteTable("items");
  db.Create("later", 0);
  db.Create("also kept", 1);
  Load(db, game, 0);
  EXPECT_EQ(db.IndexOf("later"), -1);
  EXPECT_GE(db.IndexOf("keep"), 0);
  EXPECT_GE(db.IndexOf("also kept"), 0);
  EXPECT_EQ(db.ActiveTable()->Name(), "items");
  // Loading the status section leaves the last table read active.
  TDBManager other;
  Load(other, Section(db, 1), 1);
  EXPECT_EQ(other.ActiveTable()->Name(), "also kept");
}

TEST(DBManager, AStoredStatusOtherThanOneStaysAndCountsAsPersistent) {
  TDBManager db;
  Fill(db);
  std::string status = Section(db, 1);
  // The status byte of "keep": after version, count, kind byte and the name.
  status[4 + 4 + 1 + 4 + 4] = 7;
  TDBManager loaded;
  Load(loaded, status, 1);
  EXPECT_EQ(loaded[0].Status(), 7);
  loaded.ClearUnsaved();
  EXPECT_EQ(loaded.Count(), 1);
  EXPECT_EQ(Section(loaded, 1), status);
  EXPECT_EQ(Section(loaded, 0), std::string("\x64\0\0\0\0\0\0\0\0\0\0\0", 12));
}

TEST(DBManager, DamagedSectionsAreLoadErrorsThatChangeNothing) {
  TDBManager db;
  Fill(db);
  std::string good = Section(db, 0);
  // Offsets in the game section written by Fill: the first field's size,
  // and the first string slot of the first record (13 bytes).
  constexpr std::size_t kFirstFieldSize = 4 + 4 + 1 + 4 + 5 + 1 + 4;
  constexpr std::size_t kFirstSlot = kFirstFieldSize + (4 + 4 + 4 + 1) + (4 + 4 + 5 + 1) + 4;
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"truncated", good.substr(0, good.size() - 3)},
      {"another version", std::string("\x65") + good.substr(1)},
      {"a negative field size", good.substr(0, kFirstFieldSize) + "\xf3\xff\xff\xff" + good.substr(kFirstFieldSize + 4)},
      {"a string field without room for its terminator",
       good.substr(0, kFirstFieldSize) + std::string("\0\0\0\0", 4) + good.substr(kFirstFieldSize + 4)},
      {"a text without its terminator", good.substr(0, kFirstSlot) + std::string(13, 'x') + good.substr(kFirstSlot + 13)},
      {"an unknown kind of table", good.substr(0, 8) + "\x01" + good.substr(9)},
      {"a persistent table among the game's", good.substr(0, 4 + 4 + 1 + 4 + 5) + "\x01" + good.substr(4 + 4 + 1 + 4 + 5 + 1)},
      {"a huge record count", good.substr(0, kFirstSlot - 4) + "\xff\xff\xff\x7f" + good.substr(kFirstSlot)},
  };
  for (const Case& c : cases) {
    TDBManager copy;
    Load(copy, good, 0);
    EXPECT_THROW(Load(copy, c.bytes, 0), LoadError) << c.what;
    EXPECT_EQ(Section(copy, 0), good) << c.what;
  }
  // An integer field of 2 bytes would read past its record.
  TDBManager odd;
  odd.Create("t", 0);
  odd.ActiveTable()->AddField("i", DB_INT, 0);
  std::string bytes = Section(odd, 0);
  bytes[4 + 4 + 1 + 4 + 1 + 1 + 4] = 2;
  EXPECT_THROW(Load(odd, bytes, 0), LoadError);
}

TEST(DBManager, ACurrentRecordOutsideTheRecordsLoadsAsNone) {
  TDBManager db;
  db.Create("t", 0);
  db.ActiveTable()->Append();
  std::string bytes = Section(db, 0);
  // Current is the int32 before the active table's name ("t": 4 + 1 bytes).
  bytes[bytes.size() - 5 - 4] = 5;
  Load(db, bytes, 0);
  EXPECT_EQ(db.ActiveTable()->Current(), -1);
}

}  // namespace
}  // namespace rivo
