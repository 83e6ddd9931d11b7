// Stored glyph lists as pages carry them: any bytes read as a list or give
// LoadError, without crashing, hanging or allocating beyond the input; what
// reads is written again and offered to the listing's markup form.

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "text/markup_form.h"
#include "text/qn_word.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace rivo;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TQnWord word;
  try {
    ByteReader in(bytes, "fuzz");
    word.LoadGlyphs(in);
  } catch (const LoadError&) {
    return 0;
  }
  ByteWriter out;
  word.SaveGlyphs(out);
  if (std::optional<std::string> markup = MarkupOfStoredList(bytes, 50))
    if (StoredListOfMarkup(*markup, 50) != bytes) __builtin_trap();
  return 0;
}
