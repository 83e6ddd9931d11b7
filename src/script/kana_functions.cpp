// "HanToZen" and "ZenToHan": half-width and full-width forms of code page
// 932 text. The full-width side is JIS X 0208 throughout: 0x5C is read as
// the yen sign (￥), as the system reads it.

#include <array>
#include <cstdint>

#include "common/sjis.h"
#include "script/function_call.h"
#include "script/function_families.h"

namespace rivo {

namespace {

// Full-width forms of 0x20..0x7E:
//   　！”＃＄％＆’（）＊＋，－．／０１２３４５６７８９：；＜＝＞？
//   ＠ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ［￥］＾＿
//   ‘ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ｛｜｝￣
// The quote marks and the tilde have no straight form in JIS X 0208; they
// take the forms that belong with reading 0x5C as ￥ (the JIS-Roman set,
// where 0x7E is the overline): " → ” (0x8168), ' → ’ (0x8166),
// ` → ‘ (0x8165), ~ → ￣ (0x8150). Each has a glyph in every Japanese font
// (the straight full-width quotes exist only as vendor extensions), and
// each comes back to its own byte through ZenToHan.
constexpr std::array<uint16_t, 95> kAsciiWide = {
    0x8140, 0x8149, 0x8168, 0x8194, 0x8190, 0x8193, 0x8195, 0x8166, 0x8169, 0x816A, 0x8196, 0x817B,
    0x8143, 0x817C, 0x8144, 0x815E, 0x824F, 0x8250, 0x8251, 0x8252, 0x8253, 0x8254, 0x8255, 0x8256,
    0x8257, 0x8258, 0x8146, 0x8147, 0x8183, 0x8181, 0x8184, 0x8148, 0x8197, 0x8260, 0x8261, 0x8262,
    0x8263, 0x8264, 0x8265, 0x8266, 0x8267, 0x8268, 0x8269, 0x826A, 0x826B, 0x826C, 0x826D, 0x826E,
    0x826F, 0x8270, 0x8271, 0x8272, 0x8273, 0x8274, 0x8275, 0x8276, 0x8277, 0x8278, 0x8279, 0x816D,
    0x818F, 0x816E, 0x814F, 0x8151, 0x8165, 0x8281, 0x8282, 0x8283, 0x8284, 0x8285, 0x8286, 0x8287,
    0x8288, 0x8289, 0x828A, 0x828B, 0x828C, 0x828D, 0x828E, 0x828F, 0x8290, 0x8291, 0x8292, 0x8293,
    0x8294, 0x8295, 0x8296, 0x8297, 0x8298, 0x8299, 0x829A, 0x816F, 0x8162, 0x8170, 0x8150,
};

// Full-width forms of the half-width katakana 0xA1..0xDF:
//   。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソ
//   タチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜
constexpr std::array<uint16_t, 63> kKanaWide = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342, 0x8344, 0x8346, 0x8348, 0x8383,
    0x8385, 0x8387, 0x8362, 0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C, 0x834E,
    0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C, 0x835E, 0x8360, 0x8363, 0x8365, 0x8367,
    0x8369, 0x836A, 0x836B, 0x836C, 0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, 0x837E,
    0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389, 0x838A, 0x838B, 0x838C, 0x838D, 0x838F,
    0x8393, 0x814A, 0x814B,
};

constexpr unsigned char kVoicedMark = 0xDE, kSemiVoicedMark = 0xDF;

// The K-, S-, T- (ｶ..ﾄ) and H-rows (ﾊ..ﾎ) take the voiced mark; the H-row
// also the semi-voiced one. Their full-width voiced form is the code after
// the plain kana, the semi-voiced form the one after that.
constexpr bool TakesVoicedMark(unsigned char c) { return (c >= 0xB6 && c <= 0xC4) || (c >= 0xCA && c <= 0xCE); }
constexpr bool TakesSemiVoicedMark(unsigned char c) { return c >= 0xCA && c <= 0xCE; }

void AppendCode(std::string& out, uint16_t code) {
  out += static_cast<char>(code >> 8);
  out += static_cast<char>(code & 0xFF);
}

std::string HanToZenText(std::string_view s) {
  std::string out;
  out.reserve(s.size() * 2);
  for (std::size_t i = 0; i < s.size();) {
    std::size_t n = sjis::CharSize(s, i);
    auto c = static_cast<unsigned char>(s[i]);
    if (n == 2) {
      out.append(s.substr(i, 2));
    } else if (c >= 0x20 && c <= 0x7E) {
      AppendCode(out, kAsciiWide[c - 0x20]);
    } else if (c >= 0xA1 && c <= 0xDF) {
      uint16_t code = kKanaWide[c - 0xA1];
      auto mark = i + 1 < s.size() ? static_cast<unsigned char>(s[i + 1]) : 0;
      if (mark == kVoicedMark && TakesVoicedMark(c)) {
        code += 1;
        ++i;
      } else if (mark == kSemiVoicedMark && TakesSemiVoicedMark(c)) {
        code += 2;
        ++i;
      }
      AppendCode(out, code);
    }
    // Anything else (control characters, 0x7F, 0x80..0xA0, 0xE0..0xFF
    // that begin no character) has no full-width form and is dropped.
    i += n;
  }
  return out;
}

// The half-width forms, indexed by full-width code - kFirstWide: at most
// two bytes (a kana and its mark), empty where the code has none.
constexpr uint16_t kFirstWide = 0x8140, kLastWide = 0x8396;
struct HalfWidth {
  char text[3];
};
using HalfWidthTable = std::array<HalfWidth, kLastWide - kFirstWide + 1>;

constexpr HalfWidthTable MakeHalfWidthTable() {
  HalfWidthTable table{};
  auto put = [&](uint16_t code, unsigned char first, unsigned char second) {
    table[code - kFirstWide] = {{static_cast<char>(first), static_cast<char>(second)}};
  };
  for (unsigned c = 0x20; c <= 0x7E; ++c) put(kAsciiWide[c - 0x20], static_cast<unsigned char>(c), 0);
  // The opening double quote comes back as '"' too.
  put(0x8167, '"', 0);
  for (unsigned c = 0xA1; c <= 0xDF; ++c) {
    auto half = static_cast<unsigned char>(c);
    uint16_t wide = kKanaWide[c - 0xA1];
    put(wide, half, 0);
    if (TakesVoicedMark(half)) put(static_cast<uint16_t>(wide + 1), half, kVoicedMark);
    if (TakesSemiVoicedMark(half)) put(static_cast<uint16_t>(wide + 2), half, kSemiVoicedMark);
  }
  // ヴ: the voiced ウ.
  put(0x8394, 0xB3, kVoicedMark);
  return table;
}

constexpr HalfWidthTable kHalfWidth = MakeHalfWidthTable();

std::string_view HalfWidthOf(uint16_t code) {
  if (code < kFirstWide || code > kLastWide) return {};
  return kHalfWidth[code - kFirstWide].text;
}

std::string ZenToHanText(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    std::size_t n = sjis::CharSize(s, i);
    if (n == 1) {
      out += s[i];
    } else {
      // Characters without a half-width form (kanji, hiragana) are dropped.
      out += HalfWidthOf(static_cast<uint16_t>(static_cast<unsigned char>(s[i]) << 8 |
                                               static_cast<unsigned char>(s[i + 1])));
    }
    i += n;
  }
  return out;
}

void HanToZen(FunctionCall& call) { call.dest.SetStr(HanToZenText(call.Str(0))); }

void ZenToHan(FunctionCall& call) { call.dest.SetStr(ZenToHanText(call.Str(0))); }

}  // namespace

void AddKanaFunctions(FunctionBodies& bodies) {
  SetBody(bodies, "HanToZen", HanToZen);
  SetBody(bodies, "ZenToHan", ZenToHan);
}

}  // namespace rivo
