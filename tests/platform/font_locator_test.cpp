// Font files for the faces games ask for.

#include "platform/font_locator.h"

#include <gtest/gtest.h>

namespace rivo {
namespace {

TEST(FontSubstitutes, MapTheWindowsFacesToTheIpaFonts) {
  EXPECT_EQ(SubstituteFontFamily("ＭＳ ゴシック"), "IPAGothic");
  EXPECT_EQ(SubstituteFontFamily("ＭＳ Ｐゴシック"), "IPAPGothic");
  EXPECT_EQ(SubstituteFontFamily("ＭＳ 明朝"), "IPAMincho");
  EXPECT_EQ(SubstituteFontFamily("ＭＳ Ｐ明朝"), "IPAPMincho");
  EXPECT_EQ(SubstituteFontFamily("MS Gothic"), "IPAGothic");
  EXPECT_EQ(SubstituteFontFamily("DejaVu Sans"), "DejaVu Sans");
}

TEST(FontconfigLocator, FindsTheIpaFontForAWindowsFaceAndAJapaneseFontForAnUnknownOne) {
  FontconfigLocator fonts;
  std::optional<FontFile> gothic = fonts.Find("ＭＳ ゴシック");
  ASSERT_TRUE(gothic);
  if (gothic->family != "IPAGothic") GTEST_SKIP() << "IPA fonts are not installed (scripts/setup installs them)";
  EXPECT_TRUE(std::filesystem::exists(gothic->path));
  std::optional<FontFile> mincho = fonts.Find("ＭＳ Ｐ明朝");
  ASSERT_TRUE(mincho);
  EXPECT_EQ(mincho->family, "IPAPMincho");
  // A face nobody has: fontconfig falls back to a font with Japanese glyphs.
  std::optional<FontFile> unknown = fonts.Find("HG創英角ﾎﾟｯﾌﾟ体");
  ASSERT_TRUE(unknown);
  EXPECT_TRUE(unknown->family.find("IPA") != std::string::npos || unknown->family.find("CJK") != std::string::npos)
      << unknown->family;
}

}  // namespace
}  // namespace rivo
