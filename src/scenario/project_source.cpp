#include "scenario/project_source.h"

#include <map>

#include "common/error.h"
#include "common/number_text.h"
#include "scenario/source_text.h"
#include "script/kind_words.h"
#include "script/param_kind.h"

namespace rivo {
namespace {

[[noreturn]] void Fail(int line, const std::string& what) {
  throw RivoError("line " + std::to_string(line) + ": " + what);
}

std::string_view Trim(std::string_view s) {
  std::size_t a = s.find_first_not_of(" \t");
  if (a == std::string_view::npos) return {};
  return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

// Splits off the first blank-separated word.
std::string_view NextWord(std::string_view& rest) {
  rest = Trim(rest);
  std::string_view word = rest.substr(0, rest.find_first_of(" \t"));
  rest = Trim(rest.substr(word.size()));
  return word;
}

int32_t Number(std::string_view text, int line) {
  std::optional<int32_t> n = ParseInt32(text);
  if (!n) Fail(line, "a number is expected, not '" + std::string(text) + "'");
  return *n;
}

std::string Text(std::string_view text, int line) {
  std::optional<std::string> value = ParseStringField(text);
  if (!value) Fail(line, "bad quoted text");
  return *value;
}

}  // namespace

ProjectFile ParseProjectSource(std::string_view source) {
  ProjectFile p;
  int line = 0;
  std::size_t pos = 0;
  while (pos <= source.size()) {
    std::size_t end = source.find('\n', pos);
    std::string_view text = source.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
    pos = end == std::string_view::npos ? source.size() + 1 : end + 1;
    ++line;
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    std::string_view rest = Trim(text);
    if (rest.empty() || rest[0] == ';') continue;
    std::string_view key = NextWord(rest);
    if (key == "version") {
      p.version = Number(rest, line);
      if (p.version > ProjectFile::kNewestVersion) Fail(line, "version must be at most 112");
    } else if (key == "title") {
      p.title = Text(rest, line);
    } else if (key == "screen" || key == "fullscreen") {
      int32_t w = Number(NextWord(rest), line), h = Number(rest, line);
      if (key == "screen") p.screen_width = w, p.screen_height = h;
      else p.full_screen_width = w, p.full_screen_height = h;
    } else if (key == "start") {
      p.start_page = Text(rest, line);
    } else if (key == "end") {
      p.end_page = Text(rest, line);
    } else if (key == "registry-key") {
      p.registry_key = Text(rest, line);
    } else if (key == "identification") {
      p.identification_code = Number(rest, line);
    } else if (key == "write-status") {
      p.write_status_file = static_cast<uint8_t>(Number(rest, line));
    } else if (key == "frame-limit") {
      p.frame_limit = static_cast<uint8_t>(Number(rest, line));
    } else if (key == "media-extensions") {
      p.media_extensions = Text(rest, line);
    } else if (key == "disk-prompt") {
      p.disk_prompt = Text(rest, line);
    } else if (key == "exit-message") {
      p.exit_message = Text(rest, line);
    } else if (key == "var") {
      std::optional<uint8_t> kind = KindFromWord(NextWord(rest));
      if (!kind) Fail(line, "var KIND NAME VALUE, KIND integer, real, flag or string");
      InitialVariable v;
      v.kind = *kind;
      v.name = Text(NextWord(rest), line);
      switch (v.kind) {
        case PT_INT: v.int_value = Number(rest, line); break;
        case PT_FLOAT: {
          std::optional<long double> r = ParseReal(rest);
          if (!r) Fail(line, "a real is expected");
          v.real_value = *r;
          break;
        }
        case PT_BOOL:
          if (rest != "TRUE" && rest != "FALSE") Fail(line, "a flag is TRUE or FALSE");
          v.flag_value = rest == "TRUE";
          break;
        default: v.string_value = Text(rest, line); break;
      }
      p.variables.push_back(std::move(v));
    } else if (key == "disk") {
      std::string folder = Text(NextWord(rest), line);
      p.disks.emplace_back(std::move(folder), Number(rest, line));
    } else {
      Fail(line, "unknown setting " + std::string(key));
    }
  }
  if (p.start_page.empty()) Fail(line, "the project needs a start page");
  return p;
}

}  // namespace rivo
