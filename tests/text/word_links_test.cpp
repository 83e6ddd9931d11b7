// Links in laid-out text: the glyph under the mouse and the lit run.

#include <gtest/gtest.h>

#include "common/encoding.h"
#include "text/qn_word.h"

namespace rivo {
namespace {

struct LinkPage {
  TQnWord word;
  TWdPages pages;

  explicit LinkPage(std::string_view markup) {
    word.ParseText(markup, 0);
    word.FontHeight = 10;
    word.WrapWidth = 40;
    word.PageHeight = 100;
    word.OriginX = 100;
    word.OriginY = 50;
    word.FadeTime = 0;
    word.Layout(pages);
    word.TypeStep(Page(), 0);  // rate 0: all shown at once
  }
  TWdPage& Page() { return *pages.at(0); }
  std::string Lit() {
    std::string lit;
    for (int32_t i = 0; i < word.Count(); ++i)
      if (auto* c = dynamic_cast<const TWdChar*>(&word[i])) lit += c->Hover ? 'X' : '.';
    return lit;
  }
};

TEST(WordLinks, HoveringAnyCharacterLightsTheWholeRun) {
  // 40 pixels hold four characters: the link うえおかき wraps onto the
  // second row, and け has a row of its own.
  LinkPage t(Utf8ToCp932("あい<A HREF=x>うえおかき</A>く<A HREF=y>け</A>"));
  EXPECT_EQ(t.word.HitTest(t.Page(), 99, 55), nullptr);
  EXPECT_EQ(t.word.HitTest(t.Page(), 100, 50), &t.word[0]);
  for (int32_t x : {120, 135}) {
    t.word.SetHover(t.Page(), x, 55);
    EXPECT_EQ(t.Lit(), "..XXXXX..") << x;
    EXPECT_EQ(t.word.HoveredLinkText(t.Page()), Utf8ToCp932("うえおかき"));
  }
  t.word.SetHover(t.Page(), 105, 65);  // お, on the second row
  EXPECT_EQ(t.Lit(), "..XXXXX..");
  t.word.DirtyRects.clear();
  t.word.SetHover(t.Page(), 105, 75);  // け: another link
  EXPECT_EQ(t.Lit(), "........X");
  EXPECT_EQ(t.word.HoveredLinkText(t.Page()), Utf8ToCp932("け"));
  EXPECT_FALSE(t.word.DirtyRects.empty());
  t.word.SetHover(t.Page(), -1, -1);
  EXPECT_EQ(t.Lit(), ".........");
  EXPECT_EQ(t.word.HoveredLinkText(t.Page()), "");
}

TEST(WordLinks, GlyphsNotFullyShownAreNotHit) {
  LinkPage t("<A HREF=x>ab</A>");
  dynamic_cast<TWdReal&>(t.word[1]).SetAlpha(128);
  EXPECT_EQ(t.word.HitTest(t.Page(), 115, 55), nullptr);
  EXPECT_EQ(t.word.HitTest(t.Page(), 105, 55), &t.word[0]);
}

}  // namespace
}  // namespace rivo
