#include "scenario/text_source.h"

#include <map>

#include "common/byte_reader.h"
#include "common/encoding.h"
#include "common/error.h"
#include "scenario/command_codes.h"
#include "scenario/page.h"
#include "scenario/source_text.h"
#include "scenario/text_commands.h"
#include "text/markup_form.h"

namespace rivo {
namespace {

// A value the assembler reads as quoted bytes.
bool IsQuotedBytes(std::string_view utf8) {
  if (utf8.empty() || utf8.front() != '"') return false;
  std::size_t pos = 0;
  return UnquoteCp932(utf8, pos) && pos == utf8.size();
}

}  // namespace

int32_t PageTextDelay(TPage& page) {
  std::map<int32_t, int64_t> waits;
  for (int32_t i = 0; i < page.Count(); ++i) {
    if (page[i].GetType() != CC_TEXTINS) continue;
    TQnWord word;
    try {
      ByteReader in(static_cast<TComTextIns&>(page[i]).Text, "");
      word.LoadGlyphs(in);
    } catch (const std::exception&) {
    }
    for (int32_t g = 0; g < word.Count(); ++g) {
      if (auto* real = dynamic_cast<TWdReal*>(&word[g])) ++waits[real->Wait];
      else if (auto* var = dynamic_cast<TWdOpeVar*>(&word[g])) ++waits[var->Wait];
    }
  }
  int32_t best = kDefaultTextDelay;
  int64_t best_count = 0;
  for (const auto& [wait, count] : waits) {
    if (count > best_count || (count == best_count && wait == kDefaultTextDelay)) {
      best = wait;
      best_count = count;
    }
  }
  return best;
}

std::string TextFieldSource(std::string_view stored, int32_t text_delay) {
  if (std::optional<std::string> markup = MarkupOfStoredList(stored, text_delay)) {
    if (std::optional<std::string> utf8 = PlainUtf8(*markup)) {
      // Markup that would read as quoted bytes starts with a comment instead.
      return IsQuotedBytes(*utf8) ? std::string(kEmptyComment) + *utf8 : *utf8;
    }
  }
  return QuoteCp932(stored);
}

std::string StoredTextOfSource(std::string_view utf8, int32_t text_delay) {
  if (IsQuotedBytes(utf8)) {
    std::size_t pos = 0;
    return *UnquoteCp932(utf8, pos);
  }
  std::string markup = Utf8ToCp932(utf8);
  if (Cp932ToUtf8(markup) != utf8)
    throw RivoError("the text holds characters CP932 has no code for (they would become '?'): " +
                    std::string(utf8));
  try {
    return StoredListOfMarkup(markup, text_delay);
  } catch (const RivoError& e) {
    throw RivoError(std::string("the markup does not compile [") + e.what() + "]");
  }
}

}  // namespace rivo
