#include "common/byte_writer.h"

#include <climits>
#include <cstring>
#include <stdexcept>

#include "common/extended_real.h"

namespace rivo {

void ByteWriter::F32(float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  U32(bits);
}

void ByteWriter::F64(double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  U64(bits);
}

void ByteWriter::Extended(long double v) {
  uint8_t bytes[kExtendedSize];
  EncodeExtended(v, bytes);
  data_.append(reinterpret_cast<const char*>(bytes), kExtendedSize);
}

void ByteWriter::String(std::string_view s) {
  if (s.size() > INT32_MAX) throw std::length_error("string too long to store");
  I32(static_cast<int32_t>(s.size()));
  data_.append(s);
}

void ByteWriter::PatchI32(std::size_t position, int32_t v) {
  uint32_t u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) data_.at(position + i) = static_cast<char>(u >> (8 * i));
}

}  // namespace rivo
