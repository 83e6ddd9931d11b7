#include "common/hash_collection.h"

#include "common/sjis.h"

namespace rivo {

namespace {
constexpr unsigned char Lower(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }
}  // namespace

uint8_t HashCollectionBucket(std::string_view name) {
  std::size_t length = name.size();
  unsigned sum = 0;
  if (length >= 2) {
    // Only the first and second-to-last bytes matter; each is folded when it
    // begins a single-byte character (never a trail byte).
    unsigned char c0 = static_cast<unsigned char>(name[0]);
    unsigned char c2 = static_cast<unsigned char>(name[length - 2]);
    if (!sjis::IsLeadByte(c0)) c0 = Lower(c0);
    if (!sjis::IsTrailByteAt(name, length - 2)) c2 = Lower(c2);
    sum = c0 + c2;
  }
  return static_cast<uint8_t>(length * 16 + sum);
}

bool HashCollectionNamesEqual(std::string_view a, std::string_view b) { return sjis::SameText(a, b); }

}  // namespace rivo
