#include "content/archive_scramble.h"

#include "common/qn_random.h"

namespace rivo {

void ScrambleNames(std::vector<std::string>& names) {
  TQnRandom random(TQnRandom::kArchiveSeed);
  for (std::string& name : names)
    for (char& c : name) c = static_cast<char>(static_cast<uint8_t>(c) ^ static_cast<uint8_t>(random.Next()));
}

void ScrambleOffsets(std::vector<int64_t>& offsets) {
  TQnRandom random(TQnRandom::kArchiveSeed);
  for (int64_t& offset : offsets) {
    uint32_t v = random.Next();
    uint64_t high = (v & 0x80000000u) ? 0xFFFFFFFF00000000ull : 0;
    offset = static_cast<int64_t>(static_cast<uint64_t>(offset) ^ (high | v));
  }
}

void ScrambleOffsets(std::vector<int32_t>& offsets) {
  TQnRandom random(TQnRandom::kArchiveSeed);
  for (int32_t& offset : offsets) offset = static_cast<int32_t>(static_cast<uint32_t>(offset) ^ random.Next());
}

}  // namespace rivo
