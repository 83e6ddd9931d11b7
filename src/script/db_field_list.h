#pragma once
// TDBFieldList: the fields of a table (TDBField: name, byte size, type) and
// how they lay out a record: in list order, without gaps.
//
//   type 1 integer  4 bytes (int32)
//   type 2 real    10 bytes (80-bit extended)
//   type 3 flag     1 byte (0 or 1)
//   type 4 string  declared size + 1: zero-terminated text of at most the
//                  declared size

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rivo {

enum TDBFieldType : uint8_t {
  DB_INT = 1,
  DB_FLOAT = 2,
  DB_BOOL = 3,
  DB_STR = 4,
};

struct TDBField {
  std::string name;  // compared ignoring case
  int32_t size = 0;  // bytes in the record
  uint8_t type = 0;
};

// The bytes a field of that type takes, or -1 for an unknown type or a
// declared string size outside 0..kMaxDBStringSize.
int32_t DBFieldBytes(uint8_t type, int32_t declared_size);
// Whether a stored size is the one its type takes (a string field holds at
// least its terminator).
bool DBFieldSizeFits(uint8_t type, int32_t size);

// Longest text a string field may be declared for. A record is a fixed
// block that every record of the table repeats, so a size typed by mistake
// would be paid for on every record.
constexpr int32_t kMaxDBStringSize = 1 << 16;

class TDBFieldList {
 public:
  int32_t Count() const { return static_cast<int32_t>(fields_.size()); }
  const TDBField& operator[](int32_t index) const { return fields_[static_cast<std::size_t>(index)]; }
  // The record size: the sum of the field sizes.
  int32_t Total() const { return total_; }
  // The sum of the sizes of the fields before field index.
  int32_t FieldOffset(int32_t index) const { return offsets_[static_cast<std::size_t>(index)]; }
  // The first field of that name (ignoring case), or -1.
  int32_t IndexOf(std::string_view name) const;

  void Add(TDBField field);
  void Delete(int32_t index);
  void Clear();

  // Same names (ignoring case), types and sizes in the same order.
  bool SameAs(const TDBFieldList& other) const;

 private:
  std::vector<TDBField> fields_;
  std::vector<int32_t> offsets_;
  int32_t total_ = 0;
};

}  // namespace rivo
