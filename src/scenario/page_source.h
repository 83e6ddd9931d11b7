#pragma once
// Page sources: a page as readable text (UTF-8) and back. `rivotool disasm`
// lists a page, translators edit the listing, `rivotool asm` builds the page
// again; a listing assembles to the very bytes it was listed from. The
// format is described in docs/page-source.md.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rivo {

class TPage;

// Labels of other pages, for the targets of Jump, Call and the resets.
class PageLabels {
 public:
  virtual ~PageLabels() = default;
  // The position of the first command of page that carries label.
  virtual std::optional<int32_t> IndexOf(std::string_view page, std::string_view label) = 0;
  // The label at position index of page, when the first such label stands there.
  virtual std::optional<std::string> LabelAt(std::string_view page, int32_t index) = 0;
};

// The listing of a page. others may be nullptr (targets in other pages are
// then shown as numbers).
std::string DisassemblePage(TPage& page, PageLabels* others);

// Builds page from a source. own_name is the page's file name (a target in
// a page of that name uses this page's labels). Raises RivoError naming the
// source line for any mistake.
void AssemblePage(std::string_view source, TPage& page, std::string_view own_name, PageLabels* others);

}  // namespace rivo
