#pragma once
// TTagValList: the style state of one markup compilation. FONT pushes one
// entry on each of its seven stacks and /FONT pops them together; DIV and
// WAIT have stacks of their own; style bits, no-break, ruby and link are
// single values that a closing tag resets whatever nesting came before.

#include <cstdint>
#include <string>
#include <vector>

namespace rivo {

// A stack that answers its default when empty; popping an empty stack does
// nothing.
template <typename T>
class TagStack {
 public:
  explicit TagStack(T def) : default_(std::move(def)) {}
  const T& Top() const { return items_.empty() ? default_ : items_.back(); }
  void Push(T value) { items_.push_back(std::move(value)); }
  void Pop() {
    if (!items_.empty()) items_.pop_back();
  }

 private:
  T default_;
  std::vector<T> items_;
};

struct TTagValList {
  explicit TTagValList(int32_t text_delay) : Wait(text_delay) {}

  TagStack<int32_t> Size{0};
  TagStack<int32_t> Color{-1};
  TagStack<int32_t> BColor{-1};
  TagStack<int32_t> SColor{-1};
  TagStack<std::string> FontName{std::string()};
  TagStack<int32_t> Border{-1};
  TagStack<int32_t> Shadow{-1};
  TagStack<uint8_t> Align{1};
  TagStack<int32_t> Wait;
  uint8_t Style = 0;
  uint8_t NoBreak = 0;
  std::string Ruby;
  std::string Link;
};

}  // namespace rivo
