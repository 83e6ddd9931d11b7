// Compiled pages (".rsb") from outside: loading must refuse damaged data
// cleanly, and whatever loads must write, list and assemble again, and give
// the look-ahead loader its names and texts.

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

#include "scenario/page.h"
#include "scenario/page_glyph_texts.h"
#include "scenario/page_references.h"
#include "scenario/page_source.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  rivo::TPage page;
  try {
    page.LoadFromBytes(std::string(reinterpret_cast<const char*>(data), size), "fuzz.rsb");
  } catch (const std::exception&) {
    return 0;
  }
  page.SaveToBytes();
  rivo::FindPageReferences(page);
  rivo::FindPageGlyphTexts(page);
  std::string listing = rivo::DisassemblePage(page, nullptr);
  rivo::TPage again;
  try {
    rivo::AssemblePage(listing, again, "fuzz.rsb", nullptr);
  } catch (const std::exception&) {
  }
  return 0;
}
