// Half-width and full-width forms ("HanToZen", "ZenToHan").

#include <gtest/gtest.h>

#include "system_function_fixture.h"

namespace rivo {
namespace {

using testing::FunctionCase;

class KanaFunctions : public testing::SystemFunctionTest {};

TEST_F(KanaFunctions, HanToZenWidensLettersSymbolsAndKana) {
  const FunctionCase cases[] = {
      {R"(HanToZen("ｶﾞA1 "))", "string:ガＡ１　"},
      {R"(HanToZen("az09AZ"))", "string:ａｚ０９ＡＺ"},
      {R"(HanToZen("!#$%&()*+,-./:;<=>?@[]^_{|}"))", "string:！＃＄％＆（）＊＋，－．／：；＜＝＞？＠［］＾＿｛｜｝"},
      // 0x5C is the yen sign; the quotes and the tilde take their JIS forms.
      {R"(HanToZen("\\"))", "string:￥"},
      {R"(HanToZen("\"'`~"))", "string:”’‘￣"},
      {R"(HanToZen("｡｢｣､･ｦｧｯｰﾝ"))", "string:。「」、・ヲァッーン"},
      {R"(HanToZen("ﾊﾟﾋﾞﾌﾟﾍﾞﾎﾟﾃﾞｽ"))", "string:パビプベポデス"},
      {R"(HanToZen("ｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾄﾞｶﾞｺﾞ"))", "string:ザジズゼゾダヂヅドガゴ"},
      // Only the K, S, T and H rows combine with the voiced mark, only the
      // H row with the semi-voiced one; a mark on its own is a full-width mark.
      {R"(HanToZen("ｳﾞｱﾟﾞﾟ"))", "string:ウ゛ア゜゛゜"},
      {R"(HanToZen("ｶﾟ"))", "string:カ゜"},
      {R"(HanToZen("漢ｶ"))", "string:漢カ"},
  };
  EXPECT_FUNCTION_CASES(cases);
}

TEST_F(KanaFunctions, HanToZenDropsBytesWithoutAFullWidthForm) {
  // A tab, DEL, 0x80, 0xA0, 0xFD and a lead byte cut off at the end.
  Var("s", PT_STR).SetStr(std::string("a\tb\x7f\x80\xa0\xfd" "c\x82", 9));
  EXPECT_EQ(Run("HanToZen(s)"), "string:ａｂｃ");
}

TEST_F(KanaFunctions, ZenToHanNarrowsWhatHasAHalfWidthFormAndDropsTheRest) {
  const FunctionCase cases[] = {
      {R"(ZenToHan("ガＡ１　漢字"))", "string:ｶﾞA1 "},
      {R"(ZenToHan("“”’‘￣￥"))", "string:\"\"'`~\\"},
      {R"(ZenToHan("パヴ゛゜ヲァッーン。「」、・"))", "string:ﾊﾟｳﾞﾞﾟｦｧｯｰﾝ｡｢｣､･"},
      {R"(ZenToHan("ひらがなヵヶ"))", "string:"},
      {R"(ZenToHan("aｱ"))", "string:aｱ"},
  };
  EXPECT_FUNCTION_CASES(cases);
}

TEST_F(KanaFunctions, EveryPrintableAsciiCharacterComesBackThroughBothDirections) {
  std::string ascii;
  for (char c = 0x20; c <= 0x7E; ++c) ascii += c;
  TCustomParam& s = Var("s", PT_STR);
  s.SetStr(ascii);
  Var("wide", PT_STR);
  Var("back", PT_STR);
  Run("wide = HanToZen(s)");
  Run("back = ZenToHan(wide)");
  EXPECT_EQ(store.Find("wide")->Param().AsStr().size(), 2 * ascii.size());
  EXPECT_EQ(store.Find("back")->Param().AsStr(), ascii);
}

}  // namespace
}  // namespace rivo
