#pragma once
// Writing stored formats: little-endian integers, int32-length strings and
// 10-byte reals appended to a byte string.

#include <cstdint>
#include <string>
#include <string_view>

namespace rivo {

class ByteWriter {
 public:
  void U8(uint8_t v) { data_.push_back(static_cast<char>(v)); }
  void I8(int8_t v) { U8(static_cast<uint8_t>(v)); }
  void U16(uint16_t v) { Fixed(v); }
  void I16(int16_t v) { Fixed(static_cast<uint16_t>(v)); }
  void U32(uint32_t v) { Fixed(v); }
  void I32(int32_t v) { Fixed(static_cast<uint32_t>(v)); }
  void U64(uint64_t v) { Fixed(v); }
  void I64(int64_t v) { Fixed(static_cast<uint64_t>(v)); }
  void Bool(bool v) { U8(v ? 1 : 0); }
  void F32(float v);
  void F64(double v);
  void Extended(long double v);
  // An int32 byte count followed by the bytes.
  void String(std::string_view s);
  void Bytes(std::string_view s) { data_.append(s); }
  // Overwrites 4 bytes at position (for sizes known only after the body).
  void PatchI32(std::size_t position, int32_t v);

  std::size_t Size() const { return data_.size(); }
  const std::string& data() const { return data_; }
  std::string Take() { return std::move(data_); }

 private:
  template <typename T>
  void Fixed(T v) {
    for (std::size_t i = 0; i < sizeof(T); ++i) data_.push_back(static_cast<char>(v >> (8 * i)));
  }
  std::string data_;
};

}  // namespace rivo
