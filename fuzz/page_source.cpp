// Page sources (listings a translator edits): the assembler must refuse
// every mistake with an error, and what it builds must load again.

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

#include "scenario/page.h"
#include "scenario/page_source.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  rivo::TPage page;
  try {
    rivo::AssemblePage(std::string(reinterpret_cast<const char*>(data), size), page, "fuzz.rsb", nullptr);
  } catch (const std::exception&) {
    return 0;
  }
  std::string bytes = page.SaveToBytes();
  rivo::TPage again;
  again.LoadFromBytes(bytes, "fuzz.rsb");
  if (again.SaveToBytes() != bytes) __builtin_trap();
  return 0;
}
