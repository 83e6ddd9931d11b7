// Loading and writing compiled pages.

#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "scenario/call_commands.h"
#include "scenario/command_codes.h"
#include "scenario/command_factory.h"
#include "scenario/component_commands.h"
#include "scenario/flip_command.h"
#include "scenario/object_commands.h"
#include "scenario/page.h"
#include "scenario/text_commands.h"
#include "scenario/state_record.h"
#include "scenario/wait_commands.h"
#include "scenario_fixtures.h"

namespace rivo {
namespace {

using test::PageBytes;

// Every command kind once, each with its fields filled where it has any.
const char* kEveryCommand = R"(page 112
return string
mask BoxNew 0 3-6
mask Timer 0 26
If a > 1
  Calc a = 1
Elseif a < 0
Else
Label top
Comment just a note
Jump other.rsb
  . target 4
  . cond TRUE
Call other.rsb
  . result r
  . cond TRUE
  . args 1
  . args "two"
Exit FALSE
Wait a == 1
  . time 100
  . block TRUE
BoxNew
  . PR_NAME "box"
  . PR_LEFT 10
ImgNew
MesNew
Timer
  . PR_DELAY 50
Movie
Flip 1
  . duration 500
  . names "a"
  . names "b"
  . block TRUE
VarNew v
  . kind string
  . value "x"
  . scope local
VarDel v
GetProp "box"
  . property 3
  . variable x
SetProp "box"
  . property 3
  . value 5
ObjDel "box"
TextIns "\x01\x02text"
  . window "mes"
  . block TRUE
MovieStop "mov"
  . fade 100
ClrHist
Cinema
Caption
Menu
MenuClose "menu"
TextClr "mes"
CallHist "mes"
  . format "f"
Button
WhileInit i = 0
While i < 3
  Break i == 2
  Continue FALSE
WhileLoop i = i + 1
ParticleNew
FireNew
GameSave 1
  . page main.rsb
  . target 3
  . caption "save"
GameLoad 1
PCReset main.rsb
  . all 1
Reset main.rsb
Sound
EditNew
MemoNew
Terminate
DoEvent
ClrRead
MapImgNew
WaveNew
TileNew
SliderNew
ScrollbarNew
GaugeNew
CGCaption
MediaPlay "mov"
PrevMenuNew
PropMotion "m"
  . paused TRUE
FormatHist "tmpl"
  . format "f"
SaveCabinet
  . select 1
  . names "a"
LoadCabinet
)";

TEST(PageFile, EveryCommandKindReadsBackAsWritten) {
  std::string bytes = PageBytes(kEveryCommand);
  TPage page;
  page.LoadFromBytes(bytes, "page.rsb");
  std::vector<uint8_t> codes;
  for (int32_t i = 0; i < page.Count(); ++i) codes.push_back(page[i].GetType());
  for (int32_t code = 0; code < kCommandCodeCount; ++code)
    EXPECT_NE(std::find(codes.begin(), codes.end(), code), codes.end()) << FindCommandCode(code)->name;
  EXPECT_EQ(page.ReturnType, 4);
  EXPECT_EQ(page.SaveToBytes(), bytes);
}

TEST(PageFile, EveryVersionKeepsItsOwnFieldsOnly) {
  for (int32_t version : {103, 104, 105, 106, 107, 108, 109, 110, 111, 112}) {
    std::string source = "page " + std::to_string(version) + R"(
Wait
  . time 5
GameSave 1
  . caption "c"
CallHist "m"
PropMotion "m"
)";
    std::string bytes = PageBytes(source);
    TPage page;
    page.LoadFromBytes(bytes, "page.rsb");
    ASSERT_EQ(page.Count(), 4) << version;
    EXPECT_EQ(page.Version, version);
    EXPECT_EQ(page.SaveToBytes(), bytes) << version;
  }
  // A field the version does not have is refused by the assembler.
  EXPECT_THROW(PageBytes("page 106\nWait\n  . block TRUE\n"), RivoError);
  EXPECT_THROW(PageBytes("page 104\nGameSave 1\n  . target 2\n"), RivoError);
}

TEST(PageFile, TypeByteUsesOnlyItsLowSevenBitsAndKeepsTheTopBit) {
  std::string bytes = PageBytes("     1 c,t=0x85 | Call other.rsb\n");
  TPage page;
  page.LoadFromBytes(bytes, "page.rsb");
  ASSERT_EQ(page.Count(), 1);
  EXPECT_NE(dynamic_cast<TComCall*>(&page[0]), nullptr);
  EXPECT_EQ(page[0].TypeByte, 0x85);
  EXPECT_EQ(page.SaveToBytes(), bytes);
}

// A page's bytes by hand: header, mask table, then raw command bytes.
std::string RawPage(int32_t version, uint8_t return_type, int32_t mask_count, int32_t mask_size,
                    const std::string& masks, int32_t command_count, const std::string& commands) {
  ByteWriter out;
  out.I32(version);
  out.U8(return_type);
  out.I32(mask_count);
  out.I32(mask_size);
  out.Bytes(masks);
  out.I32(command_count);
  out.Bytes(commands);
  return out.Take();
}

std::string Header(uint8_t type) {
  ByteWriter out;
  out.U8(type);
  out.I32(0);
  out.U8(0);
  out.U8(1);
  out.I32(7);
  return out.Take();
}

TEST(PageFile, ShortMaskTablesLeaveLaterTypesWithoutProperties) {
  // Ten bytes per entry: properties 0..79; only the first 9 entries.
  std::string masks(9 * 10, '\0');
  masks[8 * 10] = 0x09;  // BoxNew: properties 0 and 3
  ByteWriter box;
  box.Bytes(Header(CC_BOXNEW));
  box.I32(0);  // PR_NAME: empty expression
  box.I32(0);  // PR_LEFT
  std::string bytes = RawPage(110, 1, 9, 10, masks, 2, box.data() + Header(CC_TIMER));
  TPage page;
  page.LoadFromBytes(bytes, "p.rsb");
  ASSERT_EQ(page.Count(), 2);
  auto& created = static_cast<TComComponent&>(page[0]);
  EXPECT_TRUE(created.Properties[0] && created.Properties[3]);
  EXPECT_FALSE(created.Properties[1]);
  for (const auto& slot : static_cast<TComComponent&>(page[1]).Properties) EXPECT_FALSE(slot);
  EXPECT_EQ(page.SaveToBytes(), bytes);
}

TEST(PageFile, LongMaskEntriesAndExtraEntriesAreSkippedButKept) {
  std::string masks(70 * 30, '\0');  // 70 entries of 30 bytes
  for (int entry = 0; entry < 70; ++entry) masks[entry * 30] = 1;  // property 0 everywhere
  masks[8 * 30 + 21] = 1;  // property 168 of BoxNew: beyond what a mask holds
  ByteWriter box;
  box.Bytes(Header(CC_BOXNEW));
  box.I32(0);  // only PR_NAME; bit 0 of byte 21 is past the 168 bits
  std::string bytes = RawPage(112, 1, 70, 30, masks, 1, box.data());
  TPage page;
  page.LoadFromBytes(bytes, "p.rsb");
  EXPECT_TRUE(page.HasProperty(CC_BOXNEW, 0));
  EXPECT_FALSE(page.HasProperty(CC_BOXNEW, 168));
  EXPECT_EQ(page.SaveToBytes(), bytes);
}

TEST(PageFile, DamagedPagesAreRefusedWithTheirName) {
  struct Case {
    const char* what;
    std::string bytes;
  };
  std::string good = PageBytes("Calc a = 1\n");
  std::vector<Case> cases = {
      {"truncated", good.substr(0, good.size() - 3)},
      {"return type 5", RawPage(112, 5, 0, 0, "", 0, "")},
      {"negative mask count", RawPage(112, 1, -1, 21, "", 0, "")},
      {"negative mask size", RawPage(112, 1, 61, -21, "", 0, "")},
      {"mask table larger than the file", RawPage(112, 1, 1000000, 1000000, "", 0, "")},
      {"negative command count", RawPage(112, 1, 0, 0, "", -1, "")},
      {"command count beyond the file", RawPage(112, 1, 0, 0, "", 100000, Header(CC_ELSE))},
      {"unknown type 61", RawPage(112, 1, 0, 0, "", 1, Header(61))},
  };
  for (const Case& c : cases) {
    TPage page;
    try {
      page.LoadFromBytes(c.bytes, "bad.rsb");
      ADD_FAILURE() << c.what << " was accepted";
    } catch (const LoadError& e) {
      EXPECT_EQ(e.file_name(), "bad.rsb") << c.what;
    }
  }
}

TEST(PageFile, UnknownTypeSaysBadCommand) {
  TPage page;
  try {
    page.LoadFromBytes(RawPage(112, 1, 0, 0, "", 1, Header(0x7F)), "bad.rsb");
    FAIL();
  } catch (const LoadError& e) {
    EXPECT_NE(std::string(e.what()).find("不正なコマンド"), std::string::npos) << e.what();
  }
}

TEST(PageFile, VersionsOutsideTheReadRange) {
  TPage newer;
  newer.LoadFromBytes(RawPage(113, 1, 0, 0, "", 1, Header(CC_ELSE)), "new.rsb");
  EXPECT_EQ(newer.Count(), 0);
  TPage older;
  EXPECT_THROW(older.LoadFromBytes(RawPage(102, 1, 0, 0, "", 0, ""), "old.rsb"), PageNeedsRebuild);
}

TEST(PageFile, LabelsAreFoundByExactText) {
  TPage page;
  page.LoadFromBytes(PageBytes("Calc a = 1\nLabel Start\nComment start\nLabel start\n"), "p.rsb");
  EXPECT_EQ(page.IndexOfLabel("Start"), 1);
  EXPECT_EQ(page.IndexOfLabel("start"), 2);  // a comment's text counts as a label
  EXPECT_EQ(page.IndexOfLabel("none"), -1);
}

TEST(StateRecord, WaitStateRoundTripsAndUntaggedRecordsReadAsVersionZero) {
  TPage page;
  TComWait wait(page);
  wait.Remaining = 420;
  wait.Skip = 0;
  wait.Block = true;
  ByteWriter out;
  wait.SaveState(out);
  EXPECT_EQ(out.data().substr(0, 7), "rivo100");
  TComWait restored(page);
  ByteReader in(out.data(), "state");
  restored.LoadState(in);
  EXPECT_EQ(restored.Remaining, 420);
  EXPECT_EQ(restored.Skip, 0);
  EXPECT_TRUE(restored.Block);

  // An old record: no tag, and no block byte.
  ByteWriter old;
  old.I32(300);
  old.I32(1);
  old.U8(1);  // not read: it belongs to whatever follows
  TComWait from_old(page);
  ByteReader old_in(old.data(), "state");
  from_old.LoadState(old_in);
  EXPECT_EQ(from_old.Remaining, 300);
  EXPECT_EQ(from_old.Skip, 1);
  EXPECT_FALSE(from_old.Block);
  EXPECT_EQ(old_in.Remaining(), 1u);
}

TEST(StateRecord, TheWaitingStatesOfFlipMovieStopAndTextInsRoundTrip) {
  TPage page;
  TComFlip flip(page);
  flip.Block = true;
  flip.Release = true;
  TComMovieStop stop(page);
  stop.ObjectName = "movie";
  stop.Waiting = true;
  stop.Block = true;
  TComTextIns text(page);
  text.WindowName = "\x83\x5Cwindow";
  text.Waiting = true;
  text.Block = true;
  for (TCommand* command : std::vector<TCommand*>{&flip, &stop, &text}) {
    ByteWriter out;
    command->SaveState(out);
    EXPECT_EQ(out.data().substr(0, 7), "rivo100");
    ByteReader in(out.data(), "state");
    std::unique_ptr<TCommand> copy = CreateCommand(page, command->GetType());
    copy->LoadState(in);
    ByteWriter again;
    copy->SaveState(again);
    EXPECT_EQ(again.data(), out.data());
    EXPECT_TRUE(copy->BlocksEvents());
  }
  // Without the tag a TextIns record ends before its block byte.
  ByteWriter old;
  old.String("mes");
  old.U8(1);
  ByteReader in(old.data(), "state");
  TComTextIns from_old(page);
  from_old.LoadState(in);
  EXPECT_EQ(from_old.WindowName, "mes");
  EXPECT_TRUE(from_old.Waiting);
  EXPECT_FALSE(from_old.Block);
  EXPECT_TRUE(in.AtEnd());
}

}  // namespace
}  // namespace rivo
