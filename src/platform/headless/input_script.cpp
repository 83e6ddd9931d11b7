#include "platform/headless/input_script.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#include "platform/platform_error.h"
#include "platform/virtual_key.h"

namespace rivo {
namespace {

class LineParser {
 public:
  LineParser(std::string_view line, int number) : line_(line), number_(number) {}

  // The next blank-separated word, or empty at the end of the line.
  std::string_view Word() {
    while (pos_ < line_.size() && IsBlank(line_[pos_])) ++pos_;
    std::size_t start = pos_;
    while (pos_ < line_.size() && !IsBlank(line_[pos_])) ++pos_;
    return line_.substr(start, pos_ - start);
  }
  // Everything left on the line, without surrounding blanks.
  std::string_view Rest() {
    std::string_view rest = line_.substr(pos_);
    while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
    while (!rest.empty() && IsBlank(rest.back())) rest.remove_suffix(1);
    pos_ = line_.size();
    return rest;
  }
  int64_t Number(std::string_view what, int64_t min, int64_t max) {
    std::string_view word = Word();
    int64_t value = 0;
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || error != std::errc() || end != word.data() + word.size() || value < min || value > max)
      Fail("expected " + std::string(what) + ", found '" + std::string(word) + "'");
    return value;
  }
  void End() {
    if (!Word().empty()) Fail("unexpected text at the end of the line");
  }
  [[noreturn]] void Fail(const std::string& what) const {
    throw PlatformError("input script line " + std::to_string(number_) + ": " + what);
  }

 private:
  static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
  std::string_view line_;
  std::size_t pos_ = 0;
  int number_;
};

constexpr int64_t kCoordinateLimit = 1 << 20;

MouseButton ParseButton(LineParser& p) {
  std::string_view word = p.Word();
  if (word == "left") return MouseButton::kLeft;
  if (word == "right") return MouseButton::kRight;
  if (word == "middle") return MouseButton::kMiddle;
  p.Fail("expected left, right or middle");
}

InputEvent ParseMouseButton(LineParser& p, InputKind kind) {
  InputEvent e;
  e.kind = kind;
  e.button = ParseButton(p);
  e.x = static_cast<int32_t>(p.Number("x", -kCoordinateLimit, kCoordinateLimit));
  e.y = static_cast<int32_t>(p.Number("y", -kCoordinateLimit, kCoordinateLimit));
  return e;
}

InputEvent ParseKey(LineParser& p) {
  InputEvent e;
  std::string_view how = p.Word();
  if (how == "down") e.kind = InputKind::kKeyDown;
  else if (how == "repeat") e.kind = InputKind::kKeyDown, e.repeat = true;
  else if (how == "up") e.kind = InputKind::kKeyUp;
  else p.Fail("expected key down, key repeat or key up");
  std::string_view name = p.Word();
  std::optional<int> code = vk::FromName(name);
  // Codes above 255 are allowed here so that scripts can check they are ignored.
  if (!code || *code > 0xFFFF) p.Fail("unknown key '" + std::string(name) + "'");
  e.key = *code;
  return e;
}

MessageAnswer ParseAnswer(LineParser& p) {
  std::string_view word = p.Word();
  if (word == "ok") return MessageAnswer::kOk;
  if (word == "cancel") return MessageAnswer::kCancel;
  if (word == "yes") return MessageAnswer::kYes;
  if (word == "no") return MessageAnswer::kNo;
  p.Fail("expected ok, cancel, yes or no");
}

ScriptAction ParseLine(LineParser& p) {
  ScriptAction action;
  action.tick = static_cast<uint64_t>(p.Number("a tick number", 1, INT64_MAX));
  std::string_view verb = p.Word();
  InputEvent e;
  if (verb == "move") {
    e.kind = InputKind::kMouseMove;
    e.x = static_cast<int32_t>(p.Number("x", -kCoordinateLimit, kCoordinateLimit));
    e.y = static_cast<int32_t>(p.Number("y", -kCoordinateLimit, kCoordinateLimit));
  } else if (verb == "down") {
    e = ParseMouseButton(p, InputKind::kMouseDown);
  } else if (verb == "up") {
    e = ParseMouseButton(p, InputKind::kMouseUp);
  } else if (verb == "wheel") {
    std::string_view dir = p.Word();
    if (dir != "up" && dir != "down") p.Fail("expected wheel up or wheel down");
    e.kind = InputKind::kWheel;
    e.wheel_down = dir == "down";
  } else if (verb == "key") {
    e = ParseKey(p);
  } else if (verb == "focus") {
    std::string_view what = p.Word();
    if (what != "lost" && what != "gained") p.Fail("expected focus lost or focus gained");
    e.kind = what == "lost" ? InputKind::kFocusLost : InputKind::kFocusGained;
  } else if (verb == "close") {
    e.kind = InputKind::kCloseRequest;
  } else if (verb == "button") {
    std::string_view which = p.Word();
    if (which == "quit") e.kind = InputKind::kToolbarQuit;
    else if (which == "fullscreen") e.kind = InputKind::kToolbarToggleFullScreen;
    else p.Fail("expected button quit or button fullscreen");
  } else if (verb == "answer") {
    action.what = ParseAnswer(p);
    p.End();
    return action;
  } else if (verb == "screenshot") {
    std::string_view file = p.Rest();
    if (file.empty()) p.Fail("screenshot needs a file name");
    action.what = ScriptScreenshot{std::filesystem::path(std::string(file))};
    return action;
  } else {
    p.Fail("unknown action '" + std::string(verb) + "'");
  }
  p.End();
  action.what = e;
  return action;
}

}  // namespace

std::vector<ScriptAction> ParseInputScript(std::string_view text) {
  std::vector<ScriptAction> actions;
  int number = 0;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++number;
    LineParser p(line, number);
    std::string_view first = LineParser(p).Word();
    if (first.empty() || first[0] == '#') continue;
    actions.push_back(ParseLine(p));
  }
  std::stable_sort(actions.begin(), actions.end(),
                   [](const ScriptAction& a, const ScriptAction& b) { return a.tick < b.tick; });
  return actions;
}

std::vector<ScriptAction> LoadInputScript(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw PlatformError("cannot read the input script " + file.string());
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return ParseInputScript(text);
}

}  // namespace rivo
