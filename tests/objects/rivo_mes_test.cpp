// The message window on a screen of its own: page starts waiting for the
// script, paging, pauses, the revealed text, links and the record of a
// window saved in the middle of a page.

#include <gtest/gtest.h>

#include <vector>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/encoding.h"
#include "graphics/dibx.h"
#include "objects/rivo_base.h"
#include "objects/rivo_mes.h"
#include "object_fixtures.h"
#include "platform/headless/test_font_rasteriser.h"
#include "text/font_pixel_manager.h"
#include "text/rivo_read_list.h"

namespace rivo {
namespace {

using test::GetInt;
using test::GetStr;
using test::SetInt;
using test::SetStr;

struct MesScreen : test::Screen {
  TestFontRasteriser fonts;
  TFontPixelManager glyphs{fonts};
  TRivoReadList marks;
  TRivoMes* mes = nullptr;

  MesScreen() {
    screen.SetWidth(320);
    screen.SetHeight(240);
    screen.SetGlyphs(&glyphs);
    screen.SetReadMarks(&marks);
    mes = &screen.Create<TRivoMes>();
    mes->SetParent(&screen.ActiveBase());
    mes->SetName("mes");
    SetInt(*mes, PR_LEFT, 10);
    SetInt(*mes, PR_TOP, 10);
    SetInt(*mes, PR_WIDTH, 40);   // four 10-pixel characters a row
    SetInt(*mes, PR_HEIGHT, 20);  // two rows a page
    SetInt(*mes, PR_FONTHEIGHT, 10);
    SetInt(*mes, PR_DELAY, 0);
    SetInt(*mes, PR_TEXTDELAY, 256);
  }
  // The interpreter's part: every waiting entry is taken (and its kind noted).
  std::string TakeEvents() {
    std::string kinds;
    while (true) {
      int32_t i = screen.Events().FirstWaiting();
      if (i < 0) return kinds;
      const TTimerData& e = screen.Events()[i];
      kinds += std::to_string(e.Kind);
      for (const std::string& a : e.Args) kinds += ":" + a;
      kinds += ";";
      screen.Events().Take(i, 1);
      screen.Events().RemoveTaken();
    }
  }
};

std::string Kana(const char* utf8) { return Utf8ToCp932(utf8); }

TEST(RivoMes, TypingWaitsForTheStartEventThenPagesOn) {
  MesScreen t;
  t.mes->OnPlayStart = "start.rsb";
  SetStr(*t.mes, PR_TEXT, Kana("<WAIT VALUE=16>あいうえおかきくけこ</WAIT>"));
  EXPECT_EQ(GetInt(*t.mes, PR_COUNT), 2);
  EXPECT_EQ(GetInt(*t.mes, PR_INDEX), 0);
  EXPECT_TRUE(GetInt(*t.mes, PR_PLAYING));
  t.Tick();  // the start delay
  EXPECT_EQ(GetStr(*t.mes, PR_TEXT), "");
  t.Tick();  // the start entry still waits
  EXPECT_EQ(GetStr(*t.mes, PR_TEXT), "");
  EXPECT_EQ(t.TakeEvents(), "101:0;");
  t.Tick();
  EXPECT_EQ(GetStr(*t.mes, PR_TEXT), Kana("あ"));
  t.Tick(6);
  EXPECT_EQ(GetStr(*t.mes, PR_TEXT), Kana("あいうえおかき"));  // a wrapped row adds no line break
  // Paused: nothing new; resumed without a jump (one step skipped).
  SetInt(*t.mes, PR_TEXTPAUSED, 1);
  t.Tick(5);
  EXPECT_EQ(GetStr(*t.mes, PR_TEXT), Kana("あいうえおかき"));
  SetInt(*t.mes, PR_TEXTPAUSED, 0);
  t.Tick();
  EXPECT_EQ(GetStr(*t.mes, PR_TEXT), Kana("あいうえおかきく"));
  t.Tick(3);
  EXPECT_EQ(GetInt(*t.mes, PR_PLAYING), 1);  // not the last page
  SetInt(*t.mes, PR_INDEX, 5);               // outside: nothing
  SetInt(*t.mes, PR_INDEX, 1);
  EXPECT_EQ(GetStr(*t.mes, PR_TEXT), "");
  t.Tick(2);
  EXPECT_EQ(t.TakeEvents(), "101:0;");
  t.Tick(3);
  EXPECT_EQ(GetStr(*t.mes, PR_TEXT), Kana("けこ"));
  EXPECT_EQ(GetInt(*t.mes, PR_PLAYING), 0);
  SetStr(*t.mes, PR_TEXT, "");
  EXPECT_EQ(GetInt(*t.mes, PR_COUNT), 0);
  EXPECT_EQ(GetInt(*t.mes, PR_PLAYING), 0);
}

TEST(RivoMes, AMarkupErrorLeavesTheWindowWithoutPages) {
  MesScreen t;
  SetStr(*t.mes, PR_TEXT, "abc");
  EXPECT_THROW(t.mes->SetText("<A>x</A>"), RivoError);
  EXPECT_EQ(GetInt(*t.mes, PR_COUNT), 0);
  EXPECT_EQ(GetInt(*t.mes, PR_INDEX), -1);
}

TEST(RivoMes, LinksAnswerClicksOnlyWhenTheTextStands) {
  MesScreen t;
  t.mes->OnLink = "link.rsb";
  SetStr(*t.mes, PR_TEXT, Kana("あ<A HREF=\"p\\nq\">いう</A>"));
  TRivoBase& base = t.screen.ActiveBase();
  base.MouseX = 25;  // over い
  base.MouseY = 15;
  t.Tick(2);
  t.mes->MouseMove();  // still typing: nothing lights
  t.mes->MouseLeftDown();
  EXPECT_EQ(t.TakeEvents(), "");
  t.Tick(10);
  t.mes->MouseMove();
  base.LeftClick = true;
  t.mes->MouseLeftDown();
  EXPECT_FALSE(base.LeftClick);  // consumed: @LClick never sees it
  // A second click before the entry is taken is an ordinary one.
  base.LeftClick = true;
  t.mes->MouseLeftDown();
  EXPECT_EQ(t.TakeEvents(), Kana("46:いう:p:q;"));
  // PR_CAPTURELINK: only the link takes the mouse.
  EXPECT_EQ(base.HitTest(12, 15, kHitForLeftPress), t.mes);
  SetInt(*t.mes, PR_CAPTURELINK, 1);
  EXPECT_NE(base.HitTest(12, 15, kHitForLeftPress), t.mes);
  EXPECT_EQ(base.HitTest(25, 15, kHitForLeftPress), t.mes);
}

TEST(RivoMes, AWindowSavedMidPageComesBackTheSame) {
  MesScreen a;
  a.mes->OnPlayEnd = "end.rsb";
  SetStr(*a.mes, PR_ONNOTIFY, "n.rsb");
  SetInt(*a.mes, PR_FONTCOLOR, 0xFF);
  SetInt(*a.mes, PR_CAPTURELINK, 1);
  SetStr(*a.mes, PR_TEXT, Kana("<WAIT VALUE=32>あいうえおかきくけこ</WAIT>"));
  SetInt(*a.mes, PR_INDEX, 1);
  a.Tick(2);  // け shown, こ to come
  ByteWriter out;
  a.mes->SaveToStream(out);

  MesScreen b;
  ByteReader in(out.data(), "mes");
  b.mes->LoadFromStream(in, 135);
  EXPECT_EQ(in.Remaining(), 0u);
  EXPECT_TRUE(b.screen.Events().Count() == 0);  // no page start while loading
  EXPECT_EQ(GetInt(*b.mes, PR_COUNT), 2);
  EXPECT_EQ(GetInt(*b.mes, PR_INDEX), 1);
  EXPECT_EQ(GetStr(*b.mes, PR_TEXT), Kana("け"));
  EXPECT_EQ(GetInt(*b.mes, PR_FONTCOLOR), 0xFF);
  EXPECT_EQ(GetInt(*b.mes, PR_CAPTURELINK), 1);
  EXPECT_EQ(b.mes->OnPlayEnd, "end.rsb");
  ByteWriter again;
  b.mes->SaveToStream(again);
  EXPECT_EQ(again.data(), out.data());
  // Both type on alike.
  a.Tick(20);
  b.Tick(20);
  EXPECT_EQ(GetStr(*b.mes, PR_TEXT), Kana("けこ"));
  EXPECT_EQ(GetStr(*b.mes, PR_TEXT), GetStr(*a.mes, PR_TEXT));
}

TEST(RivoMes, ASavedTextThatNoLongerCompilesStillLoads) {
  MesScreen a;
  SetStr(*a.mes, PR_TEXT, "abc");
  SetStr(*a.mes, PR_ONPLAYING, "after.rsb");
  ByteWriter out;
  a.mes->SaveToStream(out);
  std::string bytes = out.Take();
  // The text "abc" becomes "<A>c" (same length): a link without a target.
  const std::size_t at = bytes.find("abc");
  ASSERT_NE(at, std::string::npos);
  bytes.replace(at, 3, "<A>");
  MesScreen b;
  ByteReader in(bytes, "mes");
  b.mes->LoadFromStream(in, 135);
  EXPECT_EQ(GetInt(*b.mes, PR_COUNT), 0);
  EXPECT_EQ(b.mes->OnPlaying, "after.rsb");  // the rest of the record was read
}

// Each typed frame composes only the rectangles the step changed (a glyph's
// drawn part of its cell); it must equal the frame composed afresh, however
// far the drawing of a glyph reaches beyond or falls short of its cell.
TEST(RivoMes, TypedFramesEqualFullRedrawsForEveryLook) {
  struct Look {
    const char* name;
    const char* markup;
    int32_t border, shadow, fade;
    int32_t line_space = 0;
  };
  const Look looks[] = {
      {"plain", "<WAIT VALUE=8>あいうえおかきくけ</WAIT>", 0, 0, 0},
      {"border and shadow", "<WAIT VALUE=8>あいうえおかきくけ</WAIT>", 2, 2, 0},
      {"fading", "<WAIT VALUE=8>あいうえおかき</WAIT>", 1, 1, 40},
      {"ruby over the group", "<WAIT VALUE=16><RUBY VALUE=\"あいうえお\">漢字</RUBY>かき</WAIT>", 1, 0, 0},
      {"underlined link", "<WAIT VALUE=16>あ<A HREF=\"p\">いう</A>え</WAIT>", 0, 1, 0},
      {"spaces and letters", "<WAIT VALUE=16>a b  cd</WAIT>", 1, 1, 0},
      // Rows of many glyphs, of which a frame draws those under its rectangle.
      {"two rows, shadow only", "<WAIT VALUE=8>あいうえおかきくけこさしすせそ</WAIT>", 0, 2, 0},
      {"right-aligned ruby rows", "<DIV ALIGN=RIGHT><WAIT VALUE=8>あいうえおかきく<RUBY VALUE=\"あいうえおか\">漢字</RUBY>けこ</WAIT>",
       1, 1, 0},
      // Rows apart with deep shadows: a typed row must not cut the one above.
      {"spaced rows, deep shadow", "<WAIT VALUE=8>あいうえお<BR>かきくけこ</WAIT>", 2, 4, 0, 6},
  };
  for (const Look& look : looks) {
    MesScreen t;
    t.screen.SetWidth(130);
    t.screen.SetHeight(80);
    TDIBX back;
    back.SetSize(130, 80, 32);
    t.screen.SetBackBuffer(&back);
    t.screen.ActiveBase().SetColor(0x406080);
    SetInt(*t.mes, PR_WIDTH, 100);
    SetInt(*t.mes, PR_HEIGHT, 60);
    SetInt(*t.mes, PR_FONTBORDER, look.border);
    SetInt(*t.mes, PR_FONTSHADOW, look.shadow);
    SetInt(*t.mes, PR_FONTCOLOR, 0xFFFFFF);
    SetInt(*t.mes, PR_DELAY, look.fade);
    SetInt(*t.mes, PR_LINESPACE, look.line_space);
    SetStr(*t.mes, PR_TEXT, Kana(look.markup));
    auto frame = [&] {
      t.screen.Draw();
      t.screen.ClearDirty();
      std::vector<uint32_t> pixels;
      for (int32_t y = 0; y < back.Height(); ++y)
        for (int32_t x = 0; x < back.Width(); ++x) pixels.push_back(back.GetPixel(x, y));
      return pixels;
    };
    frame();
    for (int step = 0; step < 14; ++step) {
      t.Tick();
      const std::vector<uint32_t> typed = frame();
      t.screen.InvalidateAll();
      ASSERT_EQ(typed, frame()) << look.name << ", step " << step;
    }
    EXPECT_EQ(GetInt(*t.mes, PR_PLAYING), 0) << look.name;  // the page was typed to its end
  }
}

}  // namespace
}  // namespace rivo
