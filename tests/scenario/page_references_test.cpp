// The names a page's code spells out as constants, which the look-ahead
// loader follows: pictures and pages, found in command fields, object
// properties and expressions, each once, in the order the page spells them.

#include "scenario/page_references.h"

#include <gtest/gtest.h>

#include "common/encoding.h"
#include "scenario/page.h"
#include "scenario/page_source.h"

namespace rivo {
namespace {

using Names = std::vector<std::string>;

Names Cp932(const Names& names) {
  Names out;
  for (const std::string& name : names) out.push_back(Utf8ToCp932(name));
  return out;
}

TEST(PageReferences, ConstantNamesOfPicturesMusicAndPagesAreFound) {
  struct Case {
    const char* source;
    Names pictures, pages, music;
  };
  const Case cases[] = {
      // An object's pictures, and the handler of its events.
      {R"(Button
  . PR_NAME "start"
  . PR_SOURCE "button.orb"
  . PR_HOVERSOURCE "button_hover.png"
  . PR_ONNOTIFY "pick.rsb:start"
)",
       {"button.orb", "button_hover.png"},
       {"pick.rsb"},
       {}},
      // Jumps and calls name their page in a field of their own; a call's
      // arguments are expressions.
      {R"(Call stage.rsb
  . args "room.orb"
Jump title.rsb
)",
       {"room.orb"},
       {"stage.rsb", "title.rsb"},
       {}},
      // Literals anywhere in an expression count; names built at run time
      // cannot be known.
      {R"(Calc picture = "photo.BMP"
If choice == "next.rsb"
  Calc other = "sky" ++ ".orb"
)",
       {"photo.BMP"},
       {"next.rsb"},
       {}},
      // Each name once, as first spelled, whatever the case of its letters.
      {R"(Calc a = "Girl.orb"
Calc b = "girl.ORB"
Jump Pick.rsb
Jump pick.rsb
)",
       {"Girl.orb"},
       {"Pick.rsb"},
       {}},
      // The MIDI player's music, in both its kinds; other sounds and an
      // extension alone are not read ahead.
      {R"(Sound
  . PR_SOURCE "theme.mid"
Calc other = "Battle.SGT"
Calc again = "THEME.MID"
Calc voice = "voice.ogg"
Calc click = "click.wav"
Calc bare = ".mid"
)",
       {},
       {},
       {"theme.mid", "Battle.SGT"}},
      // Plain text and a label alone are no names to follow.
      {R"(Calc text = "The sky.orb is blue"
Calc label = ":start"
Calc handler = ".rsb:start"
Calc notpage = "a.rsbx"
Calc dib = "old.dib"
)",
       {"old.dib"},
       {},
       {}},
      // Shift-JIS names, some of whose second bytes are backslashes.
      {R"(Calc p = "表\\ソ.orb"
Jump 能.rsb
)",
       {"表\\ソ.orb"},
       {"能.rsb"},
       {}},
  };
  for (const Case& c : cases) {
    TPage page;
    AssemblePage(c.source, page, "p.rsb", nullptr);
    const PageReferences found = FindPageReferences(page);
    EXPECT_EQ(found.pictures, Cp932(c.pictures)) << c.source;
    EXPECT_EQ(found.pages, Cp932(c.pages)) << c.source;
    EXPECT_EQ(found.music, Cp932(c.music)) << c.source;
  }
}

TEST(PageReferences, APageOfCompiledBytesGivesTheSameNamesAsItsSource) {
  TPage source;
  AssemblePage("ImgNew\n  . PR_SOURCE \"a.orb\"\nJump b.rsb\n", source, "p.rsb", nullptr);
  TPage loaded;
  loaded.LoadFromBytes(source.SaveToBytes(), "p.rsb");
  const PageReferences found = FindPageReferences(loaded);
  EXPECT_EQ(found.pictures, Names{"a.orb"});
  EXPECT_EQ(found.pages, Names{"b.rsb"});
}

}  // namespace
}  // namespace rivo
