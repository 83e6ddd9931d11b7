#include "content/uncompressed_orba.h"

namespace rivo {

namespace {
// "Orba" + three digits, the int32 header size, then the header record whose
// byte 22 is the compression.
constexpr std::size_t kSignatureSize = 7;
constexpr std::size_t kCompressionAt = kSignatureSize + 4 + 22;
}  // namespace

bool IsUncompressedOrbaFile(std::string_view head) {
  if (head.size() <= kCompressionAt || head.substr(0, 4) != "Orba") return false;
  int version = 0;
  for (std::size_t i = 4; i < kSignatureSize; ++i) {
    if (head[i] < '0' || head[i] > '9') return false;
    version = version * 10 + (head[i] - '0');
  }
  return version >= 103 && head[kCompressionAt] == 1;
}

}  // namespace rivo
