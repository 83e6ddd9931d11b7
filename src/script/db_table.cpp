#include "script/db_table.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/extended_real.h"
#include "common/number_text.h"
#include "common/numbers.h"
#include "common/sjis.h"
#include "common/sjis_escape.h"
#include "script/cp932_case.h"
#include "script/custom_param.h"
#include "script/value_conversion.h"

namespace rivo {

struct TDBTable::Stored {
  uint8_t type = DB_INT;
  int32_t i = 0;
  long double f = 0;
  bool b = false;
  std::string s;

  int32_t AsInt() const {
    switch (type) {
      case DB_FLOAT: return RoundToInt32(f);
      case DB_BOOL: return b ? 1 : 0;
      case DB_STR: return TextToInt(s);
      default: return i;
    }
  }
  long double AsFloat() const {
    switch (type) {
      case DB_FLOAT: return f;
      case DB_BOOL: return b ? 1 : 0;
      case DB_STR: return TextToReal(s);
      default: return i;
    }
  }
  bool AsBool() const {
    switch (type) {
      case DB_FLOAT: return f != 0;
      case DB_BOOL: return b;
      case DB_STR: return TextToBool(s);
      default: return i != 0;
    }
  }
  std::string AsStr() const {
    switch (type) {
      case DB_FLOAT: return RealToText(f);
      case DB_BOOL: return BoolToText(b);
      case DB_STR: return s;
      default: return IntToText(i);
    }
  }
};

namespace {

// The longest prefix of text of at most limit bytes that does not end in
// the first half of a double-byte character.
std::string_view CutToCharacters(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return text;
  std::size_t end = 0;
  while (end < limit) {
    std::size_t next = end + sjis::CharSize(text, end);
    if (next > limit) break;
    end = next;
  }
  return text.substr(0, end);
}

// The text of a string slot: the bytes before its terminator.
std::string_view SlotText(const uint8_t* slot, int32_t size) {
  const void* end = std::memchr(slot, 0, static_cast<std::size_t>(size));
  std::size_t length = end ? static_cast<std::size_t>(static_cast<const uint8_t*>(end) - slot)
                           : static_cast<std::size_t>(size);
  return {reinterpret_cast<const char*>(slot), length};
}

int32_t ReadInt32(const uint8_t* p) {
  uint32_t v = 0;
  for (int k = 0; k < 4; ++k) v |= static_cast<uint32_t>(p[k]) << (8 * k);
  return static_cast<int32_t>(v);
}

void WriteInt32(uint8_t* p, int32_t value) {
  auto v = static_cast<uint32_t>(value);
  for (int k = 0; k < 4; ++k) p[k] = static_cast<uint8_t>(v >> (8 * k));
}

template <typename T>
int Order(T a, T b) {
  return (a > b) - (a < b);
}

// Reals in a total order, so that a NaN cannot break the sort: NaNs after
// every number, equal among themselves.
int OrderReals(long double a, long double b) {
  bool nan_a = std::isnan(a), nan_b = std::isnan(b);
  if (nan_a || nan_b) return Order(nan_a, nan_b);
  return Order(a, b);
}

bool Contains(std::string_view text, std::string_view part) { return sjis::Find(text, part) != sjis::npos; }

std::vector<std::string_view> SplitAt(std::string_view text, char separator, bool skip_empty) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    std::size_t end = text.find(separator, start);
    std::string_view part = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (!skip_empty || !part.empty()) parts.push_back(part);
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

// The header column "name type size" as a field, or nullopt for a column
// without a name. A string size that is no usable number gives 80.
std::optional<TDBField> HeaderField(std::string_view column) {
  std::vector<std::string_view> words = SplitAt(column, ' ', true);
  if (words.empty()) return std::nullopt;
  TDBField field;
  field.name = std::string(words[0]);
  std::string_view type = words.size() > 1 ? words[1] : std::string_view{};
  if (type == "int") field.type = DB_INT;
  else if (type == "float") field.type = DB_FLOAT;
  else if (type == "bool") field.type = DB_BOOL;
  else field.type = DB_STR;
  std::optional<int32_t> size = words.size() > 2 ? ParseInt32(words[2]) : std::nullopt;
  field.size = size && *size >= 0 && *size <= kMaxDBStringSize ? *size : 80;
  return field;
}

}  // namespace

bool TDBTable::Fits(int64_t record_bytes, int64_t count) const {
  return count <= INT32_MAX && record_bytes <= INT32_MAX && record_bytes * count <= kMaxDBTableBytes;
}

uint8_t* TDBTable::Slot(int32_t record, int32_t field) {
  return records_.data() + static_cast<std::size_t>(record) * static_cast<std::size_t>(fields_.Total()) +
         static_cast<std::size_t>(fields_.FieldOffset(field));
}

const uint8_t* TDBTable::Slot(int32_t record, int32_t field) const {
  return const_cast<TDBTable*>(this)->Slot(record, field);
}

bool TDBTable::GoTo(int32_t n) {
  if (n >= count_) return false;
  current_ = n < 0 ? -1 : n;
  return n >= 0;
}

int32_t TDBTable::AddField(std::string name, uint8_t type, int32_t size) {
  int32_t bytes = DBFieldBytes(type, size);
  if (bytes < 0) return -1;
  int32_t old_total = fields_.Total();
  int64_t new_total = int64_t{old_total} + bytes;
  if (!Fits(new_total, count_) || new_total > kMaxDBTableBytes) return -1;
  // Every record grows at its end: rebuild the blocks back to front in place.
  records_.resize(static_cast<std::size_t>(new_total) * static_cast<std::size_t>(count_));
  for (int32_t r = count_ - 1; r >= 0; --r) {
    uint8_t* to = records_.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(new_total);
    std::memmove(to, records_.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(old_total),
                 static_cast<std::size_t>(old_total));
    std::memset(to + old_total, 0, static_cast<std::size_t>(bytes));
  }
  fields_.Add({std::move(name), bytes, type});
  return fields_.Count() - 1;
}

void TDBTable::DeleteField(int32_t index) {
  if (index < 0 || index >= fields_.Count()) return;
  auto old_total = static_cast<std::size_t>(fields_.Total());
  auto offset = static_cast<std::size_t>(fields_.FieldOffset(index));
  auto bytes = static_cast<std::size_t>(fields_[index].size);
  std::size_t new_total = old_total - bytes;
  for (std::size_t r = 0; r < static_cast<std::size_t>(count_); ++r) {
    const uint8_t* from = records_.data() + r * old_total;
    uint8_t* to = records_.data() + r * new_total;
    std::memmove(to, from, offset);
    std::memmove(to + offset, from + offset + bytes, old_total - offset - bytes);
  }
  records_.resize(new_total * static_cast<std::size_t>(count_));
  fields_.Delete(index);
}

bool TDBTable::Append() {
  if (!Fits(fields_.Total(), int64_t{count_} + 1)) return false;
  records_.resize(records_.size() + static_cast<std::size_t>(fields_.Total()), 0);
  current_ = count_++;
  return true;
}

bool TDBTable::Delete() {
  if (current_ < 0 || current_ >= count_) return false;
  auto total = static_cast<std::size_t>(fields_.Total());
  auto first = records_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(current_) * total);
  records_.erase(first, first + static_cast<std::ptrdiff_t>(total));
  --count_;
  if (current_ >= count_) current_ = count_ - 1;
  return true;
}

bool TDBTable::First() {
  if (count_ == 0) return false;
  current_ = 0;
  return true;
}

bool TDBTable::Last() {
  if (count_ == 0) return false;
  current_ = count_ - 1;
  return true;
}

bool TDBTable::Next() {
  if (current_ < 0 || current_ >= count_ - 1) return false;
  ++current_;
  return true;
}

bool TDBTable::Prior() {
  if (current_ <= 0 || current_ >= count_) return false;
  --current_;
  return true;
}

std::optional<TDBTable::Stored> TDBTable::Read(int32_t record, int32_t field) const {
  if (record < 0 || record >= count_ || field < 0 || field >= fields_.Count()) return std::nullopt;
  const uint8_t* slot = Slot(record, field);
  Stored value;
  value.type = fields_[field].type;
  switch (value.type) {
    case DB_INT: value.i = ReadInt32(slot); break;
    case DB_FLOAT: value.f = DecodeExtended(slot); break;
    case DB_BOOL: value.b = *slot != 0; break;
    default: value.s = std::string(SlotText(slot, fields_[field].size)); break;
  }
  return value;
}

bool TDBTable::Write(int32_t record, int32_t field, const Stored& value) {
  if (record < 0 || record >= count_ || field < 0 || field >= fields_.Count()) return false;
  uint8_t* slot = Slot(record, field);
  const TDBField& f = fields_[field];
  switch (f.type) {
    case DB_INT: WriteInt32(slot, value.AsInt()); break;
    case DB_FLOAT: EncodeExtended(value.AsFloat(), slot); break;
    case DB_BOOL: *slot = value.AsBool() ? 1 : 0; break;
    default: {
      std::string text = value.AsStr();
      std::string_view kept = CutToCharacters(text, static_cast<std::size_t>(f.size - 1));
      std::memset(slot, 0, static_cast<std::size_t>(f.size));
      std::memcpy(slot, kept.data(), kept.size());
      break;
    }
  }
  return true;
}

std::optional<int32_t> TDBTable::GetInt(int32_t record, int32_t field) const {
  auto value = Read(record, field);
  return value ? std::optional(value->AsInt()) : std::nullopt;
}
std::optional<long double> TDBTable::GetFloat(int32_t record, int32_t field) const {
  auto value = Read(record, field);
  return value ? std::optional(value->AsFloat()) : std::nullopt;
}
std::optional<bool> TDBTable::GetBool(int32_t record, int32_t field) const {
  auto value = Read(record, field);
  return value ? std::optional(value->AsBool()) : std::nullopt;
}
std::optional<std::string> TDBTable::GetStr(int32_t record, int32_t field) const {
  auto value = Read(record, field);
  return value ? std::optional(value->AsStr()) : std::nullopt;
}
bool TDBTable::SetInt(int32_t record, int32_t field, int32_t v) {
  return Write(record, field, Stored{.type = DB_INT, .i = v, .f = 0, .b = false, .s = {}});
}
bool TDBTable::SetFloat(int32_t record, int32_t field, long double v) {
  return Write(record, field, Stored{.type = DB_FLOAT, .i = 0, .f = v, .b = false, .s = {}});
}
bool TDBTable::SetBool(int32_t record, int32_t field, bool v) {
  return Write(record, field, Stored{.type = DB_BOOL, .i = 0, .f = 0, .b = v, .s = {}});
}
bool TDBTable::SetStr(int32_t record, int32_t field, std::string_view v) {
  return Write(record, field, Stored{.type = DB_STR, .s = std::string(v)});
}

std::vector<int32_t> TDBTable::Search(const TCustomParam* names, const TCustomParam* values, bool partial,
                                      bool ignore_case) const {
  std::vector<int32_t> found;
  if (!names || !values) {
    found.resize(static_cast<std::size_t>(count_));
    std::iota(found.begin(), found.end(), 0);
    return found;
  }
  int32_t keys = std::min(names->GetCount(), values->GetCount());
  uint8_t kind = values->GetKind();
  // The keys once, not once per record: field numbers and folded texts.
  std::vector<int32_t> key_fields;
  std::vector<std::string> key_texts;
  for (int32_t k = 0; k < keys; ++k) {
    key_fields.push_back(fields_.IndexOf(names->GetStrAt(k)));
    if (kind == PT_STR) key_texts.push_back(ignore_case ? AnsiUpperCase(values->GetStrAt(k)) : values->GetStrAt(k));
  }
  for (int32_t r = 0; r < count_; ++r) {
    bool match = true;
    for (int32_t k = 0; k < keys && match; ++k) {
      int32_t field = key_fields[static_cast<std::size_t>(k)];
      if (field < 0) return found;
      switch (kind) {
        case PT_FLOAT: match = *GetFloat(r, field) == values->GetFloatAt(k); break;
        case PT_BOOL: match = *GetBool(r, field) == values->GetBoolAt(k); break;
        case PT_STR: {
          // A text field is compared where it lies; other fields by their text form.
          std::string converted, folded;
          std::string_view text = fields_[field].type == DB_STR
                                      ? SlotText(Slot(r, field), fields_[field].size)
                                      : std::string_view(converted = *GetStr(r, field));
          if (ignore_case) text = folded = AnsiUpperCase(text);
          const std::string& key = key_texts[static_cast<std::size_t>(k)];
          match = partial ? Contains(key, text) : text == key;
          break;
        }
        default: match = *GetInt(r, field) == values->GetIntAt(k); break;
      }
    }
    if (match) found.push_back(r);
  }
  return found;
}

void TDBTable::Sort(const TCustomParam& names, const TCustomParam& descending) {
  struct Key {
    int32_t field;
    bool descending;
  };
  std::vector<Key> keys;
  for (int32_t k = 0; k < names.GetCount(); ++k) {
    int32_t field = fields_.IndexOf(names.GetStrAt(k));
    if (field >= 0) keys.push_back({field, k < descending.GetCount() && descending.GetBoolAt(k)});
  }
  auto compare = [&](int32_t a, int32_t b) {
    for (const Key& key : keys) {
      const uint8_t* x = Slot(a, key.field);
      const uint8_t* y = Slot(b, key.field);
      int c;
      switch (fields_[key.field].type) {
        case DB_INT: c = Order(ReadInt32(x), ReadInt32(y)); break;
        case DB_FLOAT: c = OrderReals(DecodeExtended(x), DecodeExtended(y)); break;
        case DB_BOOL: c = Order(*x != 0, *y != 0); break;
        default: {
          int32_t size = fields_[key.field].size;
          int ordinal = SlotText(x, size).compare(SlotText(y, size));
          c = Order(ordinal, 0);
          break;
        }
      }
      if (c != 0) return key.descending ? c > 0 : c < 0;
    }
    return false;
  };
  // Records of no bytes (a table without fields) have no order to change.
  if (fields_.Total() == 0) return;
  std::vector<int32_t> order(static_cast<std::size_t>(count_));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), compare);
  auto total = static_cast<std::size_t>(fields_.Total());
  std::vector<uint8_t> sorted(records_.size());
  for (std::size_t r = 0; r < order.size(); ++r)
    std::memcpy(sorted.data() + r * total, records_.data() + static_cast<std::size_t>(order[r]) * total, total);
  records_ = std::move(sorted);
}

bool TDBTable::LoadTsv(const std::vector<std::string>& lines) {
  Clear();
  if (lines.empty()) return false;
  for (std::string_view column : SplitAt(lines[0], '\t', false)) {
    std::optional<TDBField> field = HeaderField(column);
    if (!field || AddField(field->name, field->type, field->type == DB_STR ? field->size : 0) < 0) {
      fields_.Clear();
      return false;
    }
  }
  for (std::size_t l = 1; l < lines.size(); ++l) {
    if (lines[l].empty()) continue;
    if (!Append()) return false;
    std::string line = sjis::UnescapeBackslashes(lines[l]);
    std::vector<std::string_view> columns = SplitAt(line, '\t', false);
    int32_t stored = std::min(static_cast<int32_t>(columns.size()), fields_.Count());
    for (int32_t c = 0; c < stored; ++c) SetStr(current_, c, columns[static_cast<std::size_t>(c)]);
  }
  return true;
}

void TDBTable::AssignFields(const TDBFieldList& fields) {
  ClearRecords();
  fields_ = fields;
}

bool TDBTable::AppendCopy(const TDBTable& source, int32_t record) {
  if (record < 0 || record >= source.count_ || source.fields_.Total() != fields_.Total()) return false;
  auto total = static_cast<std::size_t>(fields_.Total());
  // Copied out first: the source may be this table, whose blocks move as it grows.
  std::vector<uint8_t> block(source.records_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(record) * total),
                             source.records_.begin() + static_cast<std::ptrdiff_t>((static_cast<std::size_t>(record) + 1) * total));
  if (!Append()) return false;
  std::copy(block.begin(), block.end(), records_.end() - static_cast<std::ptrdiff_t>(total));
  return true;
}

void TDBTable::Clear() {
  fields_.Clear();
  ClearRecords();
}

void TDBTable::ClearRecords() {
  records_.clear();
  count_ = 0;
  current_ = -1;
}

void TDBTable::SaveToStream(ByteWriter& out) const {
  out.U8(0);
  out.String(name_);
  out.U8(status_);
  out.I32(fields_.Count());
  for (int32_t i = 0; i < fields_.Count(); ++i) {
    out.I32(fields_[i].size);
    out.String(fields_[i].name);
    out.U8(fields_[i].type);
  }
  out.I32(count_);
  out.Bytes({reinterpret_cast<const char*>(records_.data()), records_.size()});
  out.I32(current_);
}

TDBTable TDBTable::LoadFromStream(ByteReader& in) {
  if (in.U8() != 0) in.Fail("unknown kind of table");
  std::string name = in.String();
  TDBTable table(std::move(name), in.U8());
  // Size, an empty name and the type: 9 bytes at least per field.
  std::size_t field_count = in.Count(in.I32(), 9);
  int64_t total = 0;
  for (std::size_t i = 0; i < field_count; ++i) {
    TDBField field;
    field.size = in.I32();
    field.name = in.String();
    field.type = in.U8();
    if (!DBFieldSizeFits(field.type, field.size)) in.Fail("table field of a bad type or size");
    total += field.size;
    if (total > INT32_MAX) in.Fail("table records too large");
    table.fields_.Add(std::move(field));
  }
  int32_t count = in.I32();
  if (count < 0) in.Fail("negative record count");
  if (total > 0) in.Count(count, static_cast<std::size_t>(total));
  std::string_view bytes = in.View(static_cast<std::size_t>(count) * static_cast<std::size_t>(total));
  table.records_.assign(bytes.begin(), bytes.end());
  table.count_ = count;
  for (int32_t f = 0; f < table.fields_.Count(); ++f) {
    if (table.fields_[f].type != DB_STR) continue;
    for (int32_t r = 0; r < count; ++r)
      if (!std::memchr(table.Slot(r, f), 0, static_cast<std::size_t>(table.fields_[f].size)))
        in.Fail("table text without its terminator");
  }
  int32_t current = in.I32();
  table.current_ = current >= 0 && current < count ? current : -1;
  return table;
}

}  // namespace rivo
