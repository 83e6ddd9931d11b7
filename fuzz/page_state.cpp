// The typing state of a page read into a page laid out anew: any bytes
// leave the position within the page, and typing from there ends.

#include <cstddef>
#include <cstdint>

#include "common/byte_reader.h"
#include "common/encoding.h"
#include "text/qn_word.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace rivo;
  if (size < 1) return 0;
  static const char* const kTexts[] = {"abc", "あいうえおかきくけこさしすせそ", "<VAR NAME=v>x<BR><BR>y", "a<EVENT VALUE=e>b<EVENT VALUE=f END>c", ""};
  TQnWord word;
  word.ParseText(Utf8ToCp932(kTexts[data[0] % 5]), 16);
  word.SetVarValues("v=ab\x01" "cd");
  word.ExpandVars();
  word.FontHeight = 10;
  word.WrapWidth = 30;
  word.PageHeight = 20 + data[0] / 5 % 4 * 10;
  word.Paging = data[0] >= 128 ? 0 : 1;
  word.EventsEnabled = 1;
  word.FadeTime = 20;
  TWdPages pages;
  word.Layout(pages);
  if (pages.empty()) return 0;
  TWdPage& page = *pages[0];
  word.Render(page, true);
  ByteReader in(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1), "fuzz");
  word.LoadPageState(page, in);
  if (page.CurrentRow < 0 || page.CurrentRow > static_cast<int32_t>(page.Rows.size())) __builtin_trap();
  if (page.CurrentRow < static_cast<int32_t>(page.Rows.size()) &&
      (page.CurrentGlyph < 0 || page.CurrentGlyph >= static_cast<int32_t>(page.Rows[page.CurrentRow]->Glyphs.size())))
    __builtin_trap();
  word.ResetTiming(page);
  bool done = false;
  for (int i = 0; i < 400 && !done; ++i) done = word.TypeStep(page, 16).done || page.Done;
  return 0;
}
