#include "text/tag.h"

#include "common/number_text.h"
#include "common/sjis.h"
#include "common/sjis_escape.h"

namespace rivo {
namespace {

// In code order, starting at TC_A.
constexpr std::string_view kTagNames[] = {
    "A",    "/A",    "B",   "/B",   "FONT",   "/FONT",  "I",  "/I",    "S",     "/S",   "U",     "/U",  "NOBR", "/NOBR",
    "RUBY", "/RUBY", "DIV", "/DIV", "INDENT", "UNDENT", "BR", "CLEAR", "EVENT", "WAIT", "/WAIT", "VAR", "IMG",
};
static_assert(std::size(kTagNames) == 27);

constexpr std::string_view kAlignNames[] = {"", "LEFT", "RIGHT", "CENTER", "TOP", "BOTTOM"};

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// One step over the inside of a tag: the next name, with its value when it
// has one, taken from the front of rest.
std::string NextAttribute(std::string_view& rest) {
  rest = TrimBlanks(rest);
  if (rest.empty()) return {};
  std::size_t end = 0;
  while (end < rest.size() && rest[end] != ' ' && rest[end] != '=') end += sjis::CharSize(rest, end);
  if (end == 0) end = 1;  // a leading '=' is a name of its own
  std::string attribute(rest.substr(0, end));
  rest.remove_prefix(end);
  if (rest.size() <= 1 || rest[0] == ' ') return attribute;
  rest.remove_prefix(1);  // the '='
  std::size_t stop = std::string_view::npos;
  if (rest[0] == '"' || rest[0] == '\'') {
    char quote = rest[0];
    rest.remove_prefix(1);
    stop = rest.find(quote);
    if (stop != std::string_view::npos) {
      attribute += '\r';
      attribute += rest.substr(0, stop);
      rest.remove_prefix(stop + 1);
      return attribute;
    }
  }
  stop = rest.find(' ');
  attribute += '\r';
  attribute += rest.substr(0, stop);
  rest.remove_prefix(stop == std::string_view::npos ? rest.size() : stop);
  return attribute;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

void TTag::Parse(std::string_view token) {
  attrs_.clear();
  if (token.size() <= 1 || token.front() != '<' || token.back() != '>' || StartsWith(token, "<!--") ||
      StartsWith(token, "<SCRIPT") || StartsWith(token, "<STYLE")) {
    text_ = std::string(token);
    return;
  }
  std::string_view rest = token.substr(1, token.size() - 2);
  std::string name = NextAttribute(rest);
  while (!(rest = TrimBlanks(rest)).empty()) {
    std::string attribute = NextAttribute(rest);
    if (!attribute.empty()) attrs_.push_back(std::move(attribute));
  }
  text_ = "<" + name + ">";
}

int TTag::TagCode() const {
  if (text_.size() < 3 || text_.front() != '<' || text_.back() != '>') return TC_TEXT;
  std::string_view name = std::string_view(text_).substr(1, text_.size() - 2);
  for (std::size_t i = 0; i < std::size(kTagNames); ++i)
    if (sjis::SameText(name, kTagNames[i])) return TC_A + static_cast<int>(i);
  return TC_IGNORED;
}

const std::string* TTag::Find(std::string_view name) const {
  for (const std::string& attribute : attrs_)
    if (sjis::SameText(std::string_view(attribute).substr(0, attribute.find('\r')), name)) return &attribute;
  return nullptr;
}

std::string TTag::GetAttr(std::string_view name, std::string_view def) const {
  const std::string* attribute = Find(name);
  if (!attribute) return std::string(def);
  std::size_t cr = attribute->find('\r');
  return cr == std::string::npos ? std::string() : attribute->substr(cr + 1);
}

bool TTag::HasAttr(std::string_view name) const { return Find(name) != nullptr; }

int32_t TTag::GetIntAttr(std::string_view name, int32_t def) const {
  if (!HasAttr(name)) return def;
  return ParseInt32(GetAttr(name, "")).value_or(def);
}

int32_t TTag::GetColorAttr(std::string_view name, int32_t def) const {
  if (!HasAttr(name)) return def;
  // Shorter values than "#" and six digits give the default: nothing is
  // read beyond the value's end.
  std::string value = GetAttr(name, "");
  if (value.size() < 7 || value[0] != '#') return def;
  int32_t rgb = 0;
  for (std::size_t i = 1; i <= 6; ++i) {
    int digit = HexDigit(value[i]);
    if (digit < 0) return def;
    rgb = rgb * 16 + digit;
  }
  return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

uint8_t TTag::GetAlignAttr(uint8_t first, uint8_t last, uint8_t def) const {
  if (!HasAttr("ALIGN")) return def;
  std::string value = GetAttr("ALIGN", "");
  for (uint8_t entry = first; entry <= last && entry < std::size(kAlignNames); ++entry)
    if (entry > 0 && sjis::SameText(value, kAlignNames[entry])) return entry;
  return def;
}

std::string UnescapeAttrValue(std::string_view value) { return sjis::UnescapeBackslashes(value); }

}  // namespace rivo
