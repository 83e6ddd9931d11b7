// The game and status sections of the save file.

#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "script/param_collection.h"
#include "script/param_system.h"
#include "script/param_var.h"
#include "script_fixtures.h"

namespace rivo {
namespace {

using testing::Declare;
using testing::ValueOf;

std::string SaveGame(const TParamCollection& store) {
  ByteWriter out;
  store.SaveGameSection(out);
  return out.Take();
}

std::string SaveStatus(const TParamCollection& store) {
  ByteWriter out;
  store.SaveStatusSection(out);
  return out.Take();
}

void LoadGame(TParamCollection& store, const std::string& bytes, int32_t version = 138) {
  ByteReader in(bytes, "save.dat");
  store.LoadGameSection(in, version);
  EXPECT_TRUE(in.AtEnd());
}

TParamVar& AddReference(TParamCollection& store, const std::string& name, const std::string& target) {
  TParamCollectionItem& item = store.AddVariable(PT_NONE);
  store.SetName(item, name);
  auto& ref = static_cast<TParamVar&>(item.Param());
  ref.SetTargetName(target);
  ref.Bind();
  return ref;
}

// A store with every kind, an array, scopes, and references.
void Fill(TParamCollection& store) {
  Declare(store, "i", PT_INT, "-12");
  Declare(store, "r", PT_FLOAT, "2.5");
  Declare(store, "f", PT_BOOL, "TRUE");
  Declare(store, "s", PT_STR, "\x83\x5C\x95\x5C");
  TParamCollectionItem& a = Declare(store, "a", PT_STR);
  int32_t sizes[] = {2, 2};
  a.Param().SetDims(sizes);
  a.Param().SetStrAt(3, "last");
  store.SetCurrentDepth(2);
  Declare(store, "loc", PT_INT, "5", VS_LOCAL);
  store.SetCurrentDepth(0);
  Declare(store, "st", PT_INT, "77", VS_STATUS);
  store.SetTextDelay(30);
  store.SetCursorName("busy.cur");
  store.SetSelStr("yes");
  store.SetSelIndex(1);
  store.SetTempTarget("i");
}

TEST(VariableSections, AGameSectionLoadsAndSavesBackToTheSameBytes) {
  TParamCollection store;
  Fill(store);
  AddReference(store, "ref", "r");
  std::string first = SaveGame(store);

  TParamCollection loaded;
  LoadGame(loaded, first);
  EXPECT_EQ(SaveGame(loaded), first);
  EXPECT_EQ(ValueOf(loaded, "i"), "integer:-12");
  EXPECT_EQ(ValueOf(loaded, "r"), "real:2.5");
  EXPECT_EQ(ValueOf(loaded, "f"), "flag:TRUE");
  EXPECT_EQ(ValueOf(loaded, "s"), "string:\x83\x5C\x95\x5C");
  EXPECT_EQ(loaded.Find("a")->Param().GetStrAt(3), "last");
  EXPECT_EQ(ValueOf(loaded, "ref"), "real:2.5");
  EXPECT_EQ(loaded.Find("st"), nullptr) << "status variables are not in the game section";
  EXPECT_EQ(loaded.TextDelay(), 30);
  EXPECT_EQ(loaded.CursorName(), "busy.cur");
  EXPECT_EQ(loaded.SelStr(), "yes");
  EXPECT_EQ(loaded.SelIndex(), 1);
  EXPECT_EQ(loaded.TempTarget(), "i");
  loaded.SetCurrentDepth(2);
  EXPECT_EQ(ValueOf(loaded, "loc"), "integer:5") << "scope flags come back";
}

// Reads the names of the records of a section, in file order.
std::vector<std::string> RecordNames(const std::string& bytes) {
  TParamCollection reader;
  ByteReader in(bytes, "save.dat");
  int32_t count = in.I32();
  std::vector<std::string> names;
  for (int32_t n = 0; n < count; ++n) {
    uint8_t kind = in.U8();
    names.push_back(in.String());
    auto value = MakeParam(kind, &reader);
    value->LoadFromStream(in);
    in.Skip(1 + 1 + 4 + 1);
  }
  return names;
}

TEST(VariableSections, VariablesAreWrittenLastFirstWithReferencesAfterTheirTargets) {
  TParamCollection store;
  Declare(store, "first", PT_INT);
  Declare(store, "target", PT_INT, "4");
  TParamVar& toLater = AddReference(store, "early", "target");
  Declare(store, "later", PT_INT);
  toLater.SetTargetName("later");
  toLater.Bind();
  Declare(store, "st", PT_INT, "1", VS_STATUS);
  AddReference(store, "toStatus", "st");
  Declare(store, "last", PT_INT);

  std::vector<std::string> expected = {"last", "later", "early", "target", "first", "toStatus"};
  std::string bytes = SaveGame(store);
  EXPECT_EQ(RecordNames(bytes), expected);

  // Loaded, each reference finds its target, the status one included.
  TParamCollection loaded;
  Declare(loaded, "st", PT_INT, "8", VS_STATUS);
  LoadGame(loaded, bytes);
  EXPECT_EQ(static_cast<TParamVar&>(loaded.Find("early")->Param()).Target(), loaded.Find("later"));
  EXPECT_EQ(ValueOf(loaded, "toStatus"), "integer:8");
  EXPECT_EQ(SaveGame(loaded), bytes);
}

TEST(VariableSections, LoadingAGameLeavesStatusVariablesAlone) {
  TParamCollection store;
  Fill(store);
  std::string game = SaveGame(store);

  TParamCollection other;
  Declare(other, "st", PT_INT, "1", VS_STATUS);
  Declare(other, "old", PT_INT, "1");
  LoadGame(other, game);
  EXPECT_EQ(ValueOf(other, "st"), "integer:1");
  EXPECT_EQ(other.Find("old"), nullptr);
  EXPECT_EQ(ValueOf(other, "i"), "integer:-12");

  std::string status = SaveStatus(store);
  TParamCollection fresh;
  Declare(fresh, "keep", PT_INT, "3");
  ByteReader in(status, "save.dat");
  fresh.LoadStatusSection(in, 103);
  EXPECT_EQ(ValueOf(fresh, "st"), "integer:77");
  EXPECT_EQ(ValueOf(fresh, "keep"), "integer:3") << "the status section deletes nothing";
  EXPECT_EQ(SaveStatus(fresh), status);
}

// A game section written field by field as an older player wrote it.
std::string OldSection(int32_t version) {
  ByteWriter out;
  out.I32(2);
  out.U8(PT_INT | 0x80);  // the kind is read modulo 128
  out.String("n");
  out.I32(0);
  out.I32(1);
  out.I32(6);
  out.U8(0);
  out.U8(0);
  out.I32(-1);
  out.U8(0);
  out.U8(PT_STR);
  out.String("");  // a record without a name is read and dropped
  out.I32(0);
  out.I32(1);
  out.String("dropped");
  out.U8(0);
  out.U8(0);
  out.I32(-1);
  out.U8(0);
  out.I32(25);
  out.String("arrow.cur");
  if (version > 102) {
    out.String("sel");
    out.I32(4);
  }
  if (version > 112 && version < 135)
    for (int k = 0; k < 6; ++k) out.I32(1000 + k);
  if (version > 120) out.String("n");
  return out.Take();
}

TEST(VariableSections, OlderGameSectionsAreReadByTheirVersion) {
  struct Case {
    int32_t version;
    const char* sel_str;
    const char* temp_target;
  } cases[] = {
      {102, "before", "before"}, {103, "sel", "before"}, {113, "sel", "before"},
      {121, "sel", "n"},         {134, "sel", "n"},      {135, "sel", "n"},
  };
  for (const Case& c : cases) {
    TParamCollection store;
    store.SetSelStr("before");
    store.SetTempTarget("before");
    LoadGame(store, OldSection(c.version), c.version);
    EXPECT_EQ(ValueOf(store, "n"), "integer:6") << c.version;
    EXPECT_EQ(store.Count(), kSystemVariableCount + 1) << c.version;
    EXPECT_EQ(store.TextDelay(), 25);
    EXPECT_EQ(store.CursorName(), "arrow.cur");
    EXPECT_EQ(store.SelStr(), c.sel_str) << c.version;
    EXPECT_EQ(store.TempTarget(), c.temp_target) << c.version;
  }
}

TEST(VariableSections, AReferenceWhoseTargetIsMissingBindsWhenItAppears) {
  // A status reference whose target has since been deleted: it still knows
  // the name it stood for.
  ByteWriter status;
  {
    TParamCollection s;
    TParamCollectionItem& target = Declare(s, "late", PT_STR, "x", VS_STATUS);
    TParamVar& ref = AddReference(s, "ref", "late");
    s.SetScope(*s.Find("ref"), VS_STATUS);
    s.Delete(target);
    EXPECT_EQ(ref.Target(), nullptr);
    s.SaveStatusSection(status);
  }
  TParamCollection loaded;
  ByteReader in(status.data(), "save.dat");
  EXPECT_NO_THROW(loaded.LoadStatusSection(in, 103));
  EXPECT_EQ(ValueOf(loaded, "ref"), "none:") << "unbound: no value, and no failed load";
  Declare(loaded, "late", PT_STR, "found");
  EXPECT_EQ(ValueOf(loaded, "ref"), "string:found");
}

TEST(VariableSections, DamagedSectionsGiveLoadErrorsAndChangeNothing) {
  TParamCollection source;
  Fill(source);
  std::string good = SaveGame(source);
  auto with_byte = [&](std::size_t at, char value) {
    std::string bytes = good;
    bytes[at] = value;
    return bytes;
  };
  std::string cases[] = {
      good.substr(0, good.size() - 3),          // cut short
      with_byte(0, '\x7F'),                      // more records than bytes
      with_byte(4, 9),                           // unknown kind
      with_byte(8, '\x7F'),                      // a name longer than the data
      std::string("\x01\0\0\0\x01\x01\0\0\0" "1", 10) + std::string(40, '\0'),  // a name starting with a digit
  };
  for (const std::string& bytes : cases) {
    TParamCollection store;
    Declare(store, "mine", PT_INT, "1");
    ByteReader in(bytes, "save.dat");
    EXPECT_THROW(store.LoadGameSection(in, 138), LoadError);
    EXPECT_EQ(ValueOf(store, "mine"), "integer:1");
    EXPECT_EQ(store.Count(), kSystemVariableCount + 1);
  }
}

}  // namespace
}  // namespace rivo
