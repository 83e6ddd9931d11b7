// Pages compiled ahead by the look-ahead loader: each equals the page the
// player would compile from the file now, a damaged page is not offered (so
// that the player's own read reports it), and a page whose file changed
// after it was read ahead is read again.

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "content/vr_file_manager.h"
#include "host/look_ahead.h"
#include "host/loose_game.h"
#include "scenario/scenario_fixtures.h"

namespace rivo {
namespace {

using test::LooseGame;
using test::Settle;

// What the player compiles from the file now, or the error it raises.
std::string OwnCompile(LooseGame& game, const std::string& name) {
  std::optional<TVrFileManager::FileWithOrigin> file = game.files.ReadWithOrigin(name);
  if (!file) return "missing";
  try {
    TPage page;
    page.LoadFromBytes(file->bytes, name);
    return page.SaveToBytes();
  } catch (const std::exception& e) {
    return std::string("error: ") + e.what();
  }
}

// bytes with the command type of the first command replaced.
std::string WithFirstType(std::string bytes, uint8_t type) {
  ByteReader in(bytes, "p.rsb");
  in.I32();
  in.U8();
  const int32_t count = in.I32();
  const int32_t size = in.I32();
  const std::size_t at = 4 + 1 + 4 + 4 + static_cast<std::size_t>(count) * static_cast<std::size_t>(size) + 4;
  bytes[at] = static_cast<char>(type);
  return bytes;
}

std::string WithVersion(std::string bytes, int32_t version) {
  ByteWriter out;
  out.I32(version);
  return out.Take() + bytes.substr(4);
}

TEST(LookAheadPages, PagesCompiledAheadEqualThePlayersOwnAndDamagedOnesAreNotOffered) {
  LooseGame game;
  const std::string good = test::PageBytes("Label top\nCalc a = \"b.orb\"\nWait a == 1\n  . time 100\nJump start.rsb\n");
  struct Case {
    const char* name;
    std::string bytes;
    bool offered;
  };
  std::string return_type_5 = good;
  return_type_5[4] = 5;
  const Case cases[] = {
      {"good.rsb", good, true},
      {"empty.rsb", test::PageBytes(""), true},
      {"newer.rsb", WithVersion(good, TPage::kNewestVersion + 1), true},  // read as an empty page
      {"older.rsb", WithVersion(good, TPage::kOldestVersion - 1), false},
      {"truncated.rsb", good.substr(0, good.size() - 3), false},
      {"returntype.rsb", return_type_5, false},
      {"unknowntype.rsb", WithFirstType(good, 0x7F), false},
      {"notapage.rsb", "", false},
  };
  std::string start;
  for (const Case& c : cases) {
    game.Put(c.name, c.bytes);
    start += std::string("Jump ") + c.name + "\n";
  }
  game.Put("start.rsb", test::PageBytes(start));
  LookAhead ahead(game.files);
  ahead.Start();
  ahead.PageOpened("start.rsb");
  Settle(ahead);

  for (const Case& c : cases) {
    std::unique_ptr<TPage> page = ahead.TakePage(c.name);
    EXPECT_EQ(page != nullptr, c.offered) << c.name;
    const std::string own = OwnCompile(game, c.name);
    if (!page) {
      EXPECT_EQ(own.rfind("error: ", 0) == 0, !c.offered) << c.name << ": " << own;
      continue;
    }
    EXPECT_EQ(page->Name, c.name);
    EXPECT_EQ(page->SaveToBytes(), own) << c.name;
    // Taken once: the next ask reads the file.
    EXPECT_FALSE(ahead.TakePage(c.name)) << c.name;
  }
}

TEST(LookAheadPages, APageTakenInAnotherCaseIsNamedAsAskedAndAChangedPageIsReadAgain) {
  LooseGame game;
  game.PutPages({{"start.rsb", "Jump Next.rsb\nJump changed.rsb\nJump raw.rsb\n"},
                 {"next.rsb", "Calc a = 1\n"},
                 {"changed.rsb", "Calc a = 1\n"},
                 {"raw.rsb", "Calc a = 2\n"}});
  LookAhead ahead(game.files);
  ahead.Start();
  ahead.PageOpened("start.rsb");
  Settle(ahead);

  std::unique_ptr<TPage> next = ahead.TakePage("NEXT.rsb");
  ASSERT_TRUE(next);
  EXPECT_EQ(next->Name, "NEXT.rsb");

  // Rewritten after it was read ahead (later than the file system's time
  // resolution): offered neither compiled nor as bytes.
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  game.Put("changed.rsb", test::PageBytes("Calc a = 22\n"));
  EXPECT_FALSE(ahead.TakePage("changed.rsb"));
  EXPECT_EQ(OwnCompile(game, "changed.rsb"), test::PageBytes("Calc a = 22\n", "changed.rsb"));

  // Taken as a file, the page goes with it: it is read at most once ahead.
  EXPECT_EQ(ahead.TakeFile("raw.rsb"), test::PageBytes("Calc a = 2\n"));
  EXPECT_FALSE(ahead.TakePage("raw.rsb"));
}

TEST(LookAheadPages, APageAnEarlierPlanDroppedIsReadAgainWhenAPlanNamesItOnceMore) {
  LooseGame game;
  game.PutPages({{"start.rsb", "Jump next.rsb\n"},
                 {"next.rsb", "Calc a = 1\n"},
                 {"other.rsb", "Calc a = 2\n"},
                 {"another.rsb", "Calc a = 3\n"}});
  LookAhead ahead(game.files);
  ahead.Start();
  // The plan follows the page opened last and the one before: next.rsb
  // falls out of it, then comes back.
  for (const char* page : {"start.rsb", "other.rsb", "another.rsb", "start.rsb"}) {
    ahead.PageOpened(page);
    Settle(ahead);
  }
  std::unique_ptr<TPage> next = ahead.TakePage("next.rsb");
  ASSERT_TRUE(next);
  EXPECT_EQ(next->SaveToBytes(), test::PageBytes("Calc a = 1\n"));
}

TEST(LookAheadPages, WhatACallerGoesOnToStaysPlannedWhileThePagesItCalledRun) {
  LooseGame game;
  game.PutPages({{"start.rsb", "Call sub.rsb\nJump next.rsb\n"},
                 {"sub.rsb", "Calc a = 1\n"},
                 {"handler.rsb", "Jump other.rsb\n"},
                 {"other.rsb", "Calc a = 2\n"},
                 {"next.rsb", "Calc a = 3\n"}});
  LookAhead ahead(game.files);
  ahead.Start();
  // start.rsb calls sub.rsb; an event handler interrupts it and jumps on,
  // two pages away from start.rsb, which still waits on the call stack.
  const std::string_view start[] = {"start.rsb"};
  ahead.PageOpened("start.rsb");
  Settle(ahead);
  ahead.PageOpened("sub.rsb");
  Settle(ahead);
  ahead.PageOpened("handler.rsb", start);
  Settle(ahead);
  ahead.PageOpened("other.rsb", start);
  Settle(ahead);
  std::unique_ptr<TPage> next = ahead.TakePage("next.rsb");
  ASSERT_TRUE(next);
  EXPECT_EQ(next->SaveToBytes(), test::PageBytes("Calc a = 3\n"));
}

}  // namespace
}  // namespace rivo
