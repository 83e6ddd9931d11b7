// Layout and typing over any glyph list and settings: every glyph that takes
// space lands in exactly one row, layout always finishes, and typing a page
// at rate 0 ends within one step per glyph.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "text/qn_word.h"

namespace {

class Bytes {
 public:
  Bytes(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool More() const { return pos_ < size_; }
  uint8_t Next() { return pos_ < size_ ? data_[pos_++] : 0; }
  int32_t Small(int32_t range) { return static_cast<int32_t>(Next()) % range; }

 private:
  const uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace rivo;
  Bytes in(data, size);
  TQnWord word;
  word.FontHeight = in.Small(64);
  word.WrapWidth = in.Small(4) == 0 ? 0 : in.Small(256);
  word.PageHeight = in.Small(256);
  word.Paging = in.Small(2);
  word.LineSpace = in.Small(8);
  word.BorderWidth = in.Small(4);
  word.FadeTime = 0;
  word.EventsEnabled = 1;

  static const uint16_t kCodes[] = {'a', ' ', '(', ')', 0x8142, 0x8175, 0x82A0, 0xA2, 0x8149, 0};
  while (in.More()) {
    uint8_t op = in.Next();
    switch (op % 8) {
      case 0: {
        auto g = std::make_unique<TWdOpeReturn>();
        g->Clear = in.Small(4) == 0;
        word.Append(std::move(g));
        break;
      }
      case 1: {
        auto g = std::make_unique<TWdOpeAlign>();
        g->Align = static_cast<uint8_t>(1 + in.Small(3));
        word.Append(std::move(g));
        break;
      }
      case 2: word.Append(in.Small(2) ? std::unique_ptr<TWdGlyph>(std::make_unique<TWdOpeIndent>())
                                      : std::make_unique<TWdOpeUndent>());
        break;
      case 3: {
        auto g = std::make_unique<TWdOpeEvent>();
        g->End = in.Small(2);
        word.Append(std::move(g));
        break;
      }
      default: {
        TDecorate style;
        style.Size = in.Small(4) == 0 ? in.Small(128) : 0;
        style.NoBreak = in.Small(4) == 0;
        if (in.Small(4) == 0) style.Ruby = "r";
        style.Style = in.Small(16);
        auto g = std::make_unique<TWdChar>();
        g->Decoration = word.Decorations().Intern(style);
        g->Code = kCodes[in.Small(10)];
        word.Append(std::move(g));
        break;
      }
    }
  }

  TWdPages pages;
  word.Layout(pages);
  int32_t placed = 0, expected = 0;
  for (int32_t i = 0; i < word.Count(); ++i) {
    uint8_t kind = word[i].Kind();
    if (kind != GK_ALIGN && kind != GK_INDENT && kind != GK_UNDENT) ++expected;
  }
  for (const auto& page : pages)
    for (const auto& row : page->Rows)
      for (const TWdGlyph* g : row->Glyphs) {
        if (g->Row != row.get()) __builtin_trap();
        if (g->Kind() != GK_SPACE) ++placed;
      }
  if (placed != expected) __builtin_trap();

  // A row below the view halts a paged page for good, so only the step count is bounded.
  for (const auto& page : pages)
    for (int32_t step = 0; step <= word.Count() + 2 && !page->Done; ++step) word.TypeStep(*page, 16);
  return 0;
}
