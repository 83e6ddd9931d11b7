#pragma once
// TTag: one token of tagged text, parsed into its tag name and attributes,
// and the services the tag pass reads attribute values through.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rivo {

// Tag codes: 0 text, 1 a tag outside the table (or a comment), then the table.
enum : int {
  TC_TEXT = 0,
  TC_IGNORED = 1,
  TC_A = 2,
  TC_A_END,
  TC_B,
  TC_B_END,
  TC_FONT,
  TC_FONT_END,
  TC_I,
  TC_I_END,
  TC_S,
  TC_S_END,
  TC_U,
  TC_U_END,
  TC_NOBR,
  TC_NOBR_END,
  TC_RUBY,
  TC_RUBY_END,
  TC_DIV,
  TC_DIV_END,
  TC_INDENT,
  TC_UNDENT,
  TC_BR,
  TC_CLEAR,
  TC_EVENT,
  TC_WAIT,
  TC_WAIT_END,
  TC_VAR,
  TC_IMG,
};

class TTag {
 public:
  void Parse(std::string_view token);
  int TagCode() const;
  // For a tag "<" + name + ">"; any other token as it stands.
  const std::string& Text() const { return text_; }

  // The value of the first attribute of that name (case-insensitive), or
  // def when there is none; an attribute without value gives "".
  std::string GetAttr(std::string_view name, std::string_view def) const;
  bool HasAttr(std::string_view name) const;
  // Integer text ("$" for hexadecimal); def when absent or unparsable.
  int32_t GetIntAttr(std::string_view name, int32_t def) const;
  // "#RRGGBB" as a COLORREF (0x00BBGGRR); def for any other form.
  int32_t GetColorAttr(std::string_view name, int32_t def) const;
  // The ALIGN entry (AL_*) when it lies in first..last, else def.
  uint8_t GetAlignAttr(uint8_t first, uint8_t last, uint8_t def) const;

 private:
  const std::string* Find(std::string_view name) const;

  std::string text_;
  // Each attribute is its name, or its name, CR and its value.
  std::vector<std::string> attrs_;
};

// HREF and EVENT values: \" and \\ give the character after the backslash,
// \n gives CR LF, other backslashes stay. Double-byte characters are
// stepped over whole, so a trail byte 0x5C is never taken for a backslash.
std::string UnescapeAttrValue(std::string_view value);

}  // namespace rivo
