#include "host/ini_file.h"

#include <fstream>
#include <iterator>

#include "common/number_text.h"
#include "common/sjis.h"

namespace rivo {
namespace {

std::string_view Trim(std::string_view s) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

IniFile IniFile::Parse(std::string_view text) {
  IniFile ini;
  Section* current = nullptr;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      std::size_t close = line.find(']');
      std::string_view name = Trim(line.substr(1, close == std::string_view::npos ? close : close - 1));
      ini.sections_.push_back({std::string(name), {}});
      current = &ini.sections_.back();
      continue;
    }
    std::size_t eq = line.find('=');
    if (!current || eq == std::string_view::npos) continue;
    std::string_view value = Trim(line.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    current->entries.emplace_back(std::string(Trim(line.substr(0, eq))), std::string(value));
  }
  return ini;
}

std::optional<IniFile> IniFile::Load(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return Parse(text);
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
  for (const Section& s : sections_)
    if (sjis::SameText(s.name, name)) return &s;
  return nullptr;
}

std::optional<std::string> IniFile::ReadString(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (!s) return std::nullopt;
  for (const auto& [k, v] : s->entries)
    if (sjis::SameText(k, key)) return v;
  return std::nullopt;
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
  std::optional<std::string> text = ReadString(section, key);
  if (!text) return def;
  return ParseInt32(*text).value_or(def);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

}  // namespace rivo
