// The typing state of a page in a saved window: a round trip while typing,
// and records that do not match the page they are read into.

#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/encoding.h"
#include "text/qn_word.h"

namespace rivo {
namespace {

struct Typed {
  TQnWord word;
  TWdPages pages;
  explicit Typed(std::string_view markup) {
    word.ParseText(Utf8ToCp932(markup), 50);
    word.FontHeight = 10;
    word.WrapWidth = 40;
    word.PageHeight = 100;
    word.TextDelayRate = 256;
    word.FadeTime = 300;
    word.Layout(pages);
    word.Render(Page(), true);  // a shown page starts transparent
  }
  TWdPage& Page() { return *pages.at(0); }
  std::string Alphas() {
    std::string out;
    for (const auto& row : Page().Rows)
      for (const TWdGlyph* g : row->Glyphs)
        if (g->Kind() == GK_CHAR) out += std::to_string(static_cast<const TWdReal*>(g)->Alpha()) + " ";
    return out;
  }
  std::string Save() {
    ByteWriter out;
    word.SavePageState(Page(), out);
    return out.Take();
  }
  void Load(std::string_view bytes) {
    ByteReader in(bytes, "state");
    word.LoadPageState(Page(), in);
  }
};

TEST(WordPageState, APageSavedWhileTypingRestoresRevealedGlyphsOpaque) {
  Typed a("あいうえおかきく");
  for (int i = 0; i < 8; ++i) a.word.TypeStep(a.Page(), 10);  // two revealed, both still fading
  EXPECT_EQ(a.Page().CurrentGlyph, 2);
  EXPECT_EQ(a.Page().FadingList.size(), 2u);
  const std::string saved = a.Save();

  Typed b("あいうえおかきく");
  b.Load(saved);
  EXPECT_EQ(b.Alphas(), "255 255 0 0 0 0 0 0 ");
  EXPECT_EQ(b.Page().CurrentRow, 0);
  EXPECT_EQ(b.Page().CurrentGlyph, 2);
  // Typing goes on with c.
  b.word.RewindPage(b.Page());
  b.Load(saved);
  EXPECT_EQ(b.word.TypeStep(b.Page(), 10).typed, "");  // the step skipped after a rewind
  EXPECT_EQ(b.word.TypeStep(b.Page(), 10).typed, Utf8ToCp932("う"));
}

TEST(WordPageState, RecordsCutShortLeaveTheRestUnrevealed) {
  Typed a("あいうえおかきく");
  for (int i = 0; i < 30; ++i) a.word.TypeStep(a.Page(), 10);  // six characters
  const std::string saved = a.Save();
  ASSERT_EQ(a.Page().CurrentRow, 1);
  for (std::size_t cut = 0; cut <= saved.size(); ++cut) {
    Typed b("あいうえおかきく");
    b.Load(std::string_view(saved).substr(0, cut));
    const std::size_t header = 17;
    const std::size_t known = cut < header ? 0 : (cut - header) / 4;
    // Typing resumes at the first glyph without a state, never later.
    const int32_t resume = static_cast<int32_t>(std::min<std::size_t>(known, 6));
    EXPECT_EQ(b.Page().CurrentRow * 4 + b.Page().CurrentGlyph, resume) << cut;
    std::string alphas;
    for (std::size_t i = 0; i < 8; ++i) alphas += i < known && i < 6 ? "255 " : "0 ";
    EXPECT_EQ(b.Alphas(), alphas) << cut;
  }
}

TEST(WordPageState, ARecordOfAnotherLayoutIsKeptWithinThePage) {
  Typed longer("あいうえおかきくけこさし");
  for (int i = 0; i < 100; ++i) longer.word.TypeStep(longer.Page(), 10);
  ASSERT_EQ(longer.Page().CurrentRow, 3);
  ByteWriter out;
  longer.word.SavePageState(longer.Page(), out);
  out.I32(255);  // the next page's state, which this page must not read past
  Typed shorter("あいう");
  shorter.Load(out.data());
  EXPECT_EQ(shorter.Page().CurrentRow, 1);
  EXPECT_EQ(shorter.Page().CurrentGlyph, 0);
  EXPECT_TRUE(shorter.Page().Done);
  EXPECT_EQ(shorter.Alphas(), "255 255 255 ");

  // A position beyond the row is moved to the next row's start.
  ByteWriter odd;
  odd.I32(0);
  odd.I32(0);
  odd.I32(99);
  odd.U8(0);
  odd.I32(0);
  Typed c("あいうえおかきく");
  c.Load(odd.data());
  EXPECT_EQ(c.Page().CurrentRow, 0);  // no glyph state: nothing revealed
  EXPECT_EQ(c.Page().CurrentGlyph, 0);
}

}  // namespace
}  // namespace rivo
