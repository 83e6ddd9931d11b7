// The markup compiler on arbitrary text and @TextDelay: it compiles or
// raises its one error, never more; what it compiles writes a stored list
// that reads back to the same bytes, and markup written for the glyphs
// compiles to that list again.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "text/markup_form.h"
#include "text/qn_word.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace rivo;
  if (size < 4) return 0;
  int32_t delay;
  std::memcpy(&delay, data, 4);
  std::string_view text(reinterpret_cast<const char*>(data) + 4, size - 4);
  TQnWord word;
  try {
    word.ParseText(text, delay);
  } catch (const RivoError&) {
    if (word.Count() != 0) __builtin_trap();
    return 0;
  }
  ByteWriter stored;
  word.SaveGlyphs(stored);
  TQnWord again;
  ByteReader in(stored.data(), "fuzz");
  again.LoadGlyphs(in);
  ByteWriter rewritten;
  again.SaveGlyphs(rewritten);
  if (!in.AtEnd() || rewritten.data() != stored.data()) __builtin_trap();
  if (std::optional<std::string> markup = MarkupOfGlyphs(word, delay))
    if (StoredListOfMarkup(*markup, delay) != stored.data()) __builtin_trap();
  return 0;
}
