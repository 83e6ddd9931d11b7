#include "common/byte_reader.h"

#include "common/extended_real.h"

namespace rivo {

ByteReader::ByteReader(std::string_view bytes, std::string name)
    : data_(bytes), name_(std::move(name)) {}

ByteReader::ByteReader(std::span<const uint8_t> bytes, std::string name)
    : data_(reinterpret_cast<const char*>(bytes.data()), bytes.size()), name_(std::move(name)) {}

float ByteReader::F32() {
  uint32_t bits = U32();
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

double ByteReader::F64() {
  uint64_t bits = U64();
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

long double ByteReader::Extended() {
  Need(kExtendedSize);
  long double value = DecodeExtended(reinterpret_cast<const uint8_t*>(data_.data() + pos_));
  pos_ += kExtendedSize;
  return value;
}

std::string ByteReader::String() {
  int32_t length = I32();
  if (length < 0) Fail("negative string length");
  return Bytes(static_cast<std::size_t>(length));
}

std::string ByteReader::Bytes(std::size_t count) { return std::string(View(count)); }

std::string_view ByteReader::View(std::size_t count) {
  Need(count);
  std::string_view out = data_.substr(pos_, count);
  pos_ += count;
  return out;
}

void ByteReader::Read(void* out, std::size_t count) {
  Need(count);
  if (count) std::memcpy(out, data_.data() + pos_, count);
  pos_ += count;
}

void ByteReader::Skip(std::size_t count) {
  Need(count);
  pos_ += count;
}

std::size_t ByteReader::Count(int64_t count, std::size_t min_item_bytes) {
  if (count < 0) Fail("negative count");
  uint64_t n = static_cast<uint64_t>(count);
  if (min_item_bytes > 0 && n > Remaining() / min_item_bytes) Fail("count larger than the data");
  return static_cast<std::size_t>(n);
}

void ByteReader::Seek(std::size_t position) {
  if (position > data_.size()) Fail("position outside the data");
  pos_ = position;
}

void ByteReader::Fail(std::string_view what_utf8) const {
  throw LoadError(name_, std::string(what_utf8) + " at byte " + std::to_string(pos_));
}

}  // namespace rivo
