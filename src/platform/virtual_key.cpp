#include "platform/virtual_key.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace rivo::vk {
namespace {

struct NamedKey {
  std::string_view name;
  int code;
};

constexpr NamedKey kNames[] = {
    {"back", kBack},       {"backspace", kBack}, {"tab", kTab},         {"return", kReturn},
    {"enter", kReturn},    {"shift", kShift},    {"control", kControl}, {"ctrl", kControl},
    {"alt", kMenu},        {"menu", kMenu},      {"pause", kPause},     {"escape", kEscape},
    {"esc", kEscape},      {"space", kSpace},    {"pageup", kPrior},    {"pagedown", kNext},
    {"end", kEnd},         {"home", kHome},      {"left", kLeft},       {"up", kUp},
    {"right", kRight},     {"down", kDown},      {"insert", kInsert},   {"delete", kDelete},
};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::optional<int> ParseCode(std::string_view text, int base) {
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
  return value;
}

}  // namespace

std::optional<int> FromName(std::string_view name) {
  if (name.empty()) return std::nullopt;
  if (name.size() == 1) {
    char c = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
  }
  if (name.size() > 2 && name[0] == '0' && (name[1] == 'x' || name[1] == 'X')) return ParseCode(name.substr(2), 16);
  if (std::isdigit(static_cast<unsigned char>(name[0]))) return ParseCode(name, 10);
  if ((name[0] == 'F' || name[0] == 'f') && name.size() <= 3) {
    std::optional<int> n = ParseCode(name.substr(1), 10);
    if (n && *n >= 1 && *n <= 24) return kF1 + *n - 1;
  }
  for (const NamedKey& k : kNames)
    if (EqualsIgnoringCase(k.name, name)) return k.code;
  return std::nullopt;
}

}  // namespace rivo::vk
