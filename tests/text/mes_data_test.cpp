// A message window's message data: the cache of pages and stored lists,
// building the pages of inserted text, and the stored form by version.

#include <gtest/gtest.h>

#include <map>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "text/rivo_new_mes_data.h"

namespace rivo {
namespace {

std::string StoredList(const char* markup) {
  TQnWord word;
  word.ParseText(markup, 0);
  ByteWriter out;
  word.SaveGlyphs(out);
  return out.Take();
}

// Pages of one TextIns command each at position 1; "bad.rsb" cannot be read.
struct Source : StoredTextSource {
  struct Page : StoredTextPage {
    std::string text;
    int32_t CommandCount() const override { return 2; }
    const std::string* StoredText(int32_t position) const override { return position == 1 ? &text : nullptr; }
  };
  bool PageExists(std::string_view name) override { return name != "gone.rsb"; }
  std::unique_ptr<StoredTextPage> LoadPage(std::string_view name) override {
    ++loads[std::string(name)];
    if (name == "bad.rsb") throw LoadError("bad.rsb", "damaged");
    auto page = std::make_unique<Page>();
    page->text = StoredList("ab<VAR NAME=v>");
    return page;
  }
  void Log(std::string_view line) override { log.emplace_back(line); }
  std::map<std::string, int> loads;
  std::vector<std::string> log;
};

TEST(MesData, TheCacheKeepsFourPagesMostRecentFirstAndLogsABrokenOneOnce) {
  Source source;
  TMesDataCacheList cache;
  for (const char* name : {"p1.rsb", "p2.rsb", "p3.rsb", "p4.rsb", "P1.RSB"}) ASSERT_NE(cache.GetStoredText(source, name, 1), nullptr);
  EXPECT_EQ(source.loads["p1.rsb"], 1);  // names compare ignoring case
  cache.GetStoredText(source, "p5.rsb", 1);  // p2 is the oldest now and goes
  cache.GetStoredText(source, "p2.rsb", 1);
  EXPECT_EQ(source.loads["p2.rsb"], 2);
  EXPECT_EQ(source.loads["p1.rsb"], 1);
  EXPECT_EQ(cache.PageCount(), 4u);
  EXPECT_EQ(cache.GetStoredText(source, "p1.rsb", 0), nullptr);  // not a TextIns
  EXPECT_EQ(cache.GetStoredText(source, "p1.rsb", 9), nullptr);  // past the commands
  // A page that cannot be read gives no text, and is logged once.
  EXPECT_EQ(cache.GetStoredText(source, "bad.rsb", 1), nullptr);
  EXPECT_EQ(cache.GetStoredText(source, "bad.rsb", 1), nullptr);
  EXPECT_EQ(source.log.size(), 1u);
}

TEST(MesData, InsertedTextIsBuiltWithTheRecordedValues) {
  Source source;
  TRivoNewMesData data;
  TQnWord word;
  word.WrapWidth = 100;
  word.PageHeight = 100;
  TWdPages pages;
  data.SetInsertedText("main.rsb", 1);
  data.SetRecordedValues("v=cd");
  data.BuildPages(&source, word, pages);
  ASSERT_EQ(pages.size(), 1u);
  std::string text;
  for (int32_t i = 0; i < word.Count(); ++i)
    if (word[i].Kind() == GK_CHAR) static_cast<const TWdChar&>(word[i]).AppendText(text);
  EXPECT_EQ(text, "abcd");
  for (const char* name : {"gone.rsb", "bad.rsb"}) {
    pages.clear();
    data.SetInsertedText(name, 1);
    data.BuildPages(&source, word, pages);
    EXPECT_TRUE(pages.empty()) << name;
  }
}

TEST(MesData, TheStoredFormFollowsTheSaveVersion) {
  TRivoNewMesData data;
  data.AddOldReference({"old.rsb", 3, 1, 200, 40});
  data.Blocks.AddBlock("main.rsb", 5, 0, -1, 0, "v=1");
  data.Blocks.AddBlock("MAIN.rsb", 6, 2, 9, 12, "");
  EXPECT_EQ(data.Blocks.BlockPageName(1), "main.rsb");  // a repeated name is stored once
  ByteWriter out;
  data.SaveToStream(out);
  struct Case {
    int32_t version;
    std::size_t blocks;
    const char* values;
  };
  for (const Case& c : {Case{112, 0, ""}, Case{123, 2, ""}, Case{135, 2, "v=1"}}) {
    // Older saves lack the blocks, or their values: write what they held.
    ByteWriter old;
    old.I32(1);
    old.String("old.rsb");
    old.I32(3);
    old.I32(1);
    old.I32(200);
    old.I32(40);
    if (c.version > 112) {
      old.I32(2);
      for (const auto& [name, cmd, start, end, height, values] :
           {std::tuple{"main.rsb", 5, 0, -1, 0, "v=1"}, std::tuple{"", 6, 2, 9, 12, ""}}) {
        old.String(name);
        for (int32_t v : {cmd, start, end, height}) old.I32(v);
        if (c.version > 123) old.String(values);
      }
      old.I32(12);
    }
    TRivoNewMesData loaded;
    ByteReader in(old.data(), "mes");
    loaded.LoadFromStream(in, c.version);
    EXPECT_EQ(in.Remaining(), 0u) << c.version;
    EXPECT_EQ(loaded.OldReferences.size(), 1u);
    EXPECT_EQ(static_cast<std::size_t>(loaded.Blocks.Count()), c.blocks) << c.version;
    if (c.blocks) { EXPECT_EQ(loaded.Blocks[0].RecordedValues, c.values) << c.version; }
    if (c.version == 135) {
      ByteWriter again;
      loaded.SaveToStream(again);
      EXPECT_EQ(again.data(), out.data());
    }
  }
  // A count beyond the bytes is damage, not an allocation.
  ByteWriter huge;
  huge.I32(1 << 30);
  TRivoNewMesData none;
  ByteReader in(huge.data(), "mes");
  EXPECT_THROW(none.LoadFromStream(in, 135), LoadError);
}

}  // namespace
}  // namespace rivo
