// Project files ("rivo.rpb") from outside, and the project descriptions
// that rivotool build reads.

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

#include "scenario/project_file.h"
#include "scenario/project_source.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  try {
    rivo::ProjectFile::Read(bytes, "rivo.rpb").Write();
  } catch (const std::exception&) {
  }
  try {
    rivo::ParseProjectSource(bytes);
  } catch (const std::exception&) {
  }
  return 0;
}
