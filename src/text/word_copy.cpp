// Copying glyphs between words: a window takes the text of a stored list
// (held in a cache shared by its pages) into its own word.

#include "text/qn_word.h"

namespace rivo {
namespace {

template <typename T>
std::unique_ptr<T> CopyReal(const T& from) {
  auto to = std::make_unique<T>();
  to->Link = from.Link;
  to->Wait = from.Wait;
  return to;
}

}  // namespace

void TQnWord::CopyGlyphs(const TQnWord& source, int32_t first, int32_t last) {
  int32_t position = 0;
  for (int32_t i = 0; i < source.Count(); ++i) {
    const TWdGlyph& g = source[i];
    if (g.IsGenerated()) continue;
    const int32_t at = position++;
    if (at < first) continue;
    if (last >= 0 && at > last) break;
    auto intern = [&](const TDecorate* style) { return style ? decorations_.Intern(*style) : nullptr; };
    switch (g.Kind()) {
      case GK_CHAR: {
        const auto& from = static_cast<const TWdChar&>(g);
        auto to = CopyReal(from);
        to->Code = from.Code;
        to->Decoration = intern(from.Decoration);
        Append(std::move(to));
        break;
      }
      case GK_IMG: {
        const auto& from = static_cast<const TWdImg&>(g);
        auto to = CopyReal(from);
        to->Source = from.Source;
        to->Align = from.Align;
        Append(std::move(to));
        break;
      }
      case GK_ALIGN: {
        auto to = std::make_unique<TWdOpeAlign>();
        to->Align = static_cast<const TWdOpeAlign&>(g).Align;
        Append(std::move(to));
        break;
      }
      case GK_RETURN: {
        auto to = std::make_unique<TWdOpeReturn>();
        to->Clear = static_cast<const TWdOpeReturn&>(g).Clear;
        Append(std::move(to));
        break;
      }
      case GK_INDENT: Append(std::make_unique<TWdOpeIndent>()); break;
      case GK_UNDENT: Append(std::make_unique<TWdOpeUndent>()); break;
      case GK_EVENT: {
        const auto& from = static_cast<const TWdOpeEvent&>(g);
        auto to = std::make_unique<TWdOpeEvent>();
        to->Value = from.Value;
        to->End = from.End;
        Append(std::move(to));
        break;
      }
      case GK_VAR: {
        const auto& from = static_cast<const TWdOpeVar&>(g);
        auto to = std::make_unique<TWdOpeVar>();
        to->Decoration = intern(from.Decoration);
        to->Link = from.Link;
        to->Wait = from.Wait;
        to->Name = from.Name;
        if (from.Expression) {
          to->Expression = std::make_unique<TRivoParser>();
          to->Expression->Assign(*from.Expression);
        }
        Append(std::move(to));
        break;
      }
      default: break;
    }
  }
}

}  // namespace rivo
