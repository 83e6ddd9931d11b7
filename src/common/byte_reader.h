#pragma once
// Bounded reading of stored formats. Every loader reads through a ByteReader:
// reading past the end, a negative length or a count larger than the bytes
// that remain throws LoadError naming the file, before anything is allocated.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "common/error.h"

namespace rivo {

class ByteReader {
 public:
  // bytes must outlive the reader; name is the file's name (CP932) for errors.
  ByteReader(std::string_view bytes, std::string name);
  ByteReader(std::span<const uint8_t> bytes, std::string name);

  uint8_t U8() { return Fixed<uint8_t>(); }
  int8_t I8() { return static_cast<int8_t>(Fixed<uint8_t>()); }
  uint16_t U16() { return Fixed<uint16_t>(); }
  int16_t I16() { return static_cast<int16_t>(Fixed<uint16_t>()); }
  uint32_t U32() { return Fixed<uint32_t>(); }
  int32_t I32() { return static_cast<int32_t>(Fixed<uint32_t>()); }
  uint64_t U64() { return Fixed<uint64_t>(); }
  int64_t I64() { return static_cast<int64_t>(Fixed<uint64_t>()); }
  bool Bool() { return U8() != 0; }
  float F32();
  double F64();
  long double Extended();

  // An int32 byte count followed by that many bytes.
  std::string String();
  std::string Bytes(std::size_t count);
  std::string_view View(std::size_t count);
  void Read(void* out, std::size_t count);
  void Skip(std::size_t count);

  // Checks a count read from the file: not negative, and count items of at
  // least min_item_bytes each fit in what remains. Returns it as a size.
  std::size_t Count(int64_t count, std::size_t min_item_bytes = 1);

  std::size_t Position() const { return pos_; }
  std::size_t Size() const { return data_.size(); }
  std::size_t Remaining() const { return data_.size() - pos_; }
  bool AtEnd() const { return pos_ == data_.size(); }
  void Seek(std::size_t position);
  const std::string& name() const { return name_; }

  [[noreturn]] void Fail(std::string_view what_utf8) const;

 private:
  template <typename T>
  T Fixed() {
    Need(sizeof(T));
    T value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
      value |= static_cast<T>(static_cast<T>(static_cast<uint8_t>(data_[pos_ + i])) << (8 * i));
    pos_ += sizeof(T);
    return value;
  }
  void Need(std::size_t count) const {
    if (count > Remaining()) Fail("unexpected end of data");
  }

  std::string_view data_;
  std::size_t pos_ = 0;
  std::string name_;
};

}  // namespace rivo
