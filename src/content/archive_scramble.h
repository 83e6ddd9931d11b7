#pragma once
// The archive stores its name table and offset table scrambled: each byte of
// the names (one generator across all names, in table order) is XORed with
// the low byte of the next generator value; each offset (a fresh generator)
// with one value, sign-extended over the high half of 64-bit offsets.
// Scrambling and unscrambling are the same operation.

#include <cstdint>
#include <string>
#include <vector>

namespace rivo {

void ScrambleNames(std::vector<std::string>& names);
void ScrambleOffsets(std::vector<int64_t>& offsets);
void ScrambleOffsets(std::vector<int32_t>& offsets);

}  // namespace rivo
