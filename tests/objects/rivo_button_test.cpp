// Buttons driven through the screen's mouse and key steps: their four
// pictures, clicks that count only when released over the button, groups,
// the clicked animation, the caption and the save record.

#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "image_fixtures.h"
#include "objects/rivo_base.h"
#include "objects/rivo_button.h"
#include "platform/headless/test_font_rasteriser.h"
#include "text/font_pixel_manager.h"

namespace rivo {
namespace {

using test::ImageScreen;
using test::Solid;

struct ButtonScreen : ImageScreen {
  ButtonScreen() {
    screen.SetGlyphs(&glyphs);
    Add("normal.orb", {Solid(20, 10, 0x101010)});
    Add("hover.orb", {Solid(20, 10, 0x202020)});
    Add("pressed.orb", {Solid(20, 10, 0x303030)});
    Add("clicked.orb", {Solid(20, 10, 0x404040, 50), Solid(20, 10, 0x505050, 50)});
  }
  TRivoButton& Button(const std::string& name, int32_t left, const std::string& hover = "",
                      const std::string& pressed = "pressed.orb", const std::string& clicked = "") {
    auto& b = static_cast<TRivoButton&>(screen.CreateByType(LT_BUTTON));
    b.SetName(name);
    b.SetParent(&screen.ActiveBase());
    b.SetSource("normal.orb");
    b.SetHoverSource(hover);
    b.SetPressedSource(pressed);
    b.SetClickedSource(clicked);
    b.SetLeft(left);
    b.OnNotify = "notify.rsb";
    return b;
  }
  // One input step and one update with the mouse at (x, y) and the left
  // button as given (a press when it goes down).
  void Step(int32_t x, int32_t y, bool held) {
    TRivoBase& base = screen.ActiveBase();
    base.UpdateMouse(x, y);
    if (held && !base.LeftHeld) base.LeftPress = true;
    base.LeftHeld = held;
    screen.ProcessInput();
    Tick();
  }
  int32_t Notifications(const TRivoObject& b) const {
    int32_t n = 0;
    for (int32_t i = 0; i < screen.Events().Count(); ++i)
      if (screen.Events()[i].Sender == b.Handle() && screen.Events()[i].Kind == PR_ONNOTIFY) ++n;
    return n;
  }

  TestFontRasteriser fonts;
  TFontPixelManager glyphs{fonts};
};

TEST(Buttons, AMissingHoverPictureKeepsTheNormalOneAndAPressShowsThePressedOne) {
  ButtonScreen s;
  TRivoButton& plain = s.Button("plain", 0);
  TRivoButton& hovering = s.Button("hovering", 30, "hover.orb");
  s.Step(5, 5, false);
  EXPECT_EQ(plain.State(), TRivoButton::kNormal);
  s.Step(35, 5, false);
  EXPECT_EQ(hovering.State(), TRivoButton::kHover);
  s.Step(35, 5, true);
  EXPECT_EQ(hovering.State(), TRivoButton::kPressed);
  s.Compose();
  EXPECT_EQ(s.At(35, 5), 0x00303030u);
  EXPECT_EQ(s.Notifications(hovering), 0);  // a press alone is no click
}

TEST(Buttons, OnlyAReleaseOverTheButtonClicksEvenAfterLeavingAndComingBack) {
  ButtonScreen s;
  TRivoButton& b = s.Button("b", 0);
  // Pressed and released outside: nothing.
  s.Step(5, 5, true);
  s.Step(50, 30, true);
  EXPECT_EQ(b.State(), TRivoButton::kNormal);  // shown released while outside
  s.Step(50, 30, false);
  EXPECT_EQ(s.Notifications(b), 0);
  // Pressed, out, in again and released: one click.
  s.Step(5, 5, true);
  s.Step(50, 30, true);
  s.Step(6, 6, true);
  EXPECT_EQ(b.State(), TRivoButton::kPressed);
  s.Step(6, 6, false);
  EXPECT_EQ(s.Notifications(b), 1);
  EXPECT_EQ(b.PressState(), 0);
  // Enter on the focused button clicks it too; other keys do not.
  const int32_t enter[] = {13}, other[] = {65};
  b.KeyRepeat(other);
  b.KeyRepeat(enter);
  EXPECT_EQ(s.Notifications(b), 2);
}

TEST(Buttons, TheClickedAnimationPlaysOnceOrAButtonWithoutItAndAutoScrapGoes) {
  ButtonScreen s;
  TRivoButton& b = s.Button("b", 0, "", "pressed.orb", "clicked.orb");
  b.OnPlayEnd = "end.rsb";
  s.Step(5, 5, true);
  s.Step(5, 5, false);
  EXPECT_EQ(b.State(), TRivoButton::kClicked);
  EXPECT_EQ(test::GetInt(b, PR_REPEAT), 0);
  s.Tick(10);
  EXPECT_EQ(b.State(), TRivoButton::kNormal);
  EXPECT_EQ(test::GetInt(b, PR_REPEAT), 1);
  TRivoButton& gone = s.Button("gone", 30);
  gone.AutoScrap = true;
  s.Step(35, 5, true);
  s.Step(35, 5, false);
  EXPECT_EQ(s.screen.FindObjectByName("gone"), nullptr);
  EXPECT_EQ(s.Notifications(b), 1);
}

TEST(Buttons, GroupsKeepOneSelectedUnlessAllMayBeUp) {
  for (bool all_up : {false, true}) {
    SCOPED_TRACE(all_up);
    ButtonScreen s;
    TRivoButton* group[3];
    for (int i = 0; i < 3; ++i) {
      group[i] = &s.Button("g" + std::to_string(i), i * 25);
      test::SetInt(*group[i], PR_GROUPINDEX, 1);
    }
    test::SetInt(*group[0], PR_ALLOWALLUP, all_up);
    auto selection = [&] {
      std::string bits;
      for (TRivoButton* b : group) bits += b->GetSelected() ? '1' : '0';
      return bits;
    };
    EXPECT_EQ(selection(), "100");  // the first of a group without selection, before all may be up
    EXPECT_EQ(group[2]->GetAllowAllUp(), all_up);  // set on the whole group
    s.Step(30, 5, true);
    s.Step(30, 5, false);
    EXPECT_EQ(selection(), "010");
    EXPECT_EQ(group[1]->State(), TRivoButton::kPressed);
    s.Step(30, 5, true);
    s.Step(30, 5, false);
    EXPECT_EQ(selection(), all_up ? "000" : "010");
  }
}

TEST(Buttons, TheCaptionIsCentredAndSinksAPixelWhenPressed) {
  ButtonScreen s;
  // Black pictures: only the caption shows.
  s.Add("black.orb", {Solid(20, 10, 0)});
  TRivoButton& b = s.Button("b", 10, "", "black.orb");
  b.SetSource("black.orb");
  b.SetTop(10);
  test::SetInt(b, PR_WIDTH, 40);  // stretched: the size stays in every state
  test::SetInt(b, PR_HEIGHT, 20);
  test::SetStr(b, PR_TEXT, "Ab");
  test::SetInt(b, PR_FONTHEIGHT, 12);
  test::SetInt(b, PR_FONTCOLOR, 0xFFFFFF);
  TQnLabelList reference(s.glyphs);
  reference.FontHeight = 12;
  reference.FontColor = 0xFFFFFF;
  reference.Add("Ab");
  const TQnLabelDIB& label = reference.Item(0);
  for (int32_t state : {TRivoButton::kNormal, TRivoButton::kPressed}) {
    b.SetState(state);
    s.screen.InvalidateAll();
    s.Compose();
    TDIBX expected;
    expected.SetSize(64, 48, 32);
    expected.Clear(0);
    const int32_t sink = state == TRivoButton::kPressed ? 1 : 0;
    reference.Draw(expected, 0, 10 + (40 - label.Width) / 2 + sink, 10 + (20 - label.Height) / 2 + sink);
    for (int32_t y = 0; y < 48; ++y)
      for (int32_t x = 0; x < 64; ++x) ASSERT_EQ(s.At(x, y), expected.GetPixel(x, y)) << x << "," << y;
  }
}

// A caption wider than its button reaches beyond the button's rectangle: a
// changed rectangle beside the button, over the caption's end, shows it as
// the full redraw does, though the button's picture misses it.
TEST(Buttons, ACaptionBeyondItsButtonShowsInAChangedRectangleBesideIt) {
  ButtonScreen s;
  TRivoButton& b = s.Button("b", 24);
  b.SetTop(10);
  test::SetInt(b, PR_WIDTH, 8);
  test::SetInt(b, PR_HEIGHT, 10);
  test::SetStr(b, PR_TEXT, "Wide caption");
  test::SetInt(b, PR_FONTHEIGHT, 12);
  test::SetInt(b, PR_FONTCOLOR, 0xFFFFFF);
  s.screen.InvalidateAll();
  s.Compose();
  std::vector<uint32_t> full;
  for (int32_t y = 0; y < 48; ++y)
    for (int32_t x = 0; x < 64; ++x) full.push_back(s.At(x, y));
  for (const TRect& changed : {Bounds(33, 8, 20, 14), Bounds(2, 8, 21, 14)}) {  // right of it, left of it
    s.back.FillRect(changed, 0x00123456);
    s.screen.ActiveBase().InvalidateRect(changed);
    s.Compose();
    for (int32_t y = 0; y < 48; ++y)
      for (int32_t x = 0; x < 64; ++x) ASSERT_EQ(full[static_cast<std::size_t>(y * 64 + x)], s.At(x, y)) << x << "," << y;
  }
  // The caption did reach there.
  bool caption_beside = false;
  for (int32_t y = 8; y < 22; ++y)
    for (int32_t x = 33; x < 53; ++x) caption_beside |= s.At(x, y) != 0;
  EXPECT_TRUE(caption_beside);
}

std::string Save(const TRivoObject& o) {
  ByteWriter out;
  o.SaveToStream(out);
  return out.Take();
}

TEST(Buttons, RecordsRoundTripAndAVersion136RecordHasNoCaption) {
  ButtonScreen s;
  TRivoButton& b = s.Button("b", 3, "hover.orb", "pressed.orb", "clicked.orb");
  test::SetInt(b, PR_GROUPINDEX, 2);
  test::SetInt(b, PR_FONTHEIGHT, 20);
  test::SetStr(b, PR_FONTNAME, "x");
  const std::string bytes = Save(b);
  {
    ButtonScreen t;
    auto& copy = static_cast<TRivoButton&>(t.screen.CreateByType(LT_BUTTON));
    ByteReader in(bytes, "save.dat");
    copy.LoadFromStream(in, 140);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(copy.GetClickedSource(), "clicked.orb");
    EXPECT_TRUE(copy.GetSelected());  // the only button of group 2
    EXPECT_EQ(copy.GetFontHeight(), 20);
    EXPECT_EQ(Save(copy), bytes);
  }
  // Version 136 ends before the caption: everything else reads the same.
  TQnLabelList settings(s.glyphs);
  ByteWriter caption;
  settings.FontHeight = 20;
  settings.FontName = "x";
  settings.SaveToStream(caption);
  const std::string old = bytes.substr(0, bytes.size() - caption.Take().size());
  ButtonScreen t;
  auto& copy = static_cast<TRivoButton&>(t.screen.CreateByType(LT_BUTTON));
  ByteReader in(old, "save.dat");
  copy.LoadFromStream(in, 136);
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(copy.GetClickedSource(), "clicked.orb");
  EXPECT_NE(copy.GetFontHeight(), 20);
}

}  // namespace
}  // namespace rivo
