#pragma once
// TDBTable: one named table of the table database: a field list and an
// array of fixed-size records, each a raw byte block laid out by the fields
// (db_field_list.h), with a current record.
//
// Reading a field as another type converts: a real read as an integer goes
// to the nearest integer (ties to even), numbers and flags convert as
// value != 0, strings parse as numbers (0 when they are none) and as flags
// by equality with "TRUE", and numbers and flags written into a string field
// become their text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "script/db_field_list.h"

namespace rivo {

class ByteReader;
class ByteWriter;
class TCustomParam;

// A table refuses to grow its records beyond this many bytes: scripts add
// records and fields in loops, and a runaway loop should meet a refusal
// (the function answers false) rather than exhaust the machine.
constexpr int64_t kMaxDBTableBytes = int64_t{64} << 20;

class TDBTable {
 public:
  TDBTable(std::string name, uint8_t status) : name_(std::move(name)), status_(status) {}

  const std::string& Name() const { return name_; }
  // 0: saved with each game; any other value: kept with the status data.
  uint8_t Status() const { return status_; }
  bool Persistent() const { return status_ != 0; }
  const TDBFieldList& Fields() const { return fields_; }
  int32_t RecordCount() const { return count_; }
  // -1 when no record is current.
  int32_t Current() const { return current_; }

  // n >= count is refused; n < 0 leaves no record current (and answers
  // false, as nothing was made current); else record n becomes current.
  bool GoTo(int32_t n);
  // Types 1-3 take their fixed size, type 4 the declared size + 1; every
  // record grows by the field's bytes (zeros) at its end. -1 for an unknown
  // type, a bad string size, or when the records would outgrow the limit.
  int32_t AddField(std::string name, uint8_t type, int32_t size);
  void DeleteField(int32_t index);
  // A zero-filled record at the end, made current; false only when the
  // records would outgrow the limit.
  bool Append();
  // Removes the current record; the current record stays at the same
  // number, or moves to the last one when it was the last. False when no
  // record is current.
  bool Delete();
  bool First();
  bool Last();
  // Next needs a current record before the last, Prior one after the first.
  bool Next();
  bool Prior();

  // Field number field of record number record, converted; nullopt (or
  // false for the setters) when either does not exist. Text written into a
  // string field is cut to its declared size, never inside a character.
  std::optional<int32_t> GetInt(int32_t record, int32_t field) const;
  std::optional<long double> GetFloat(int32_t record, int32_t field) const;
  std::optional<bool> GetBool(int32_t record, int32_t field) const;
  std::optional<std::string> GetStr(int32_t record, int32_t field) const;
  bool SetInt(int32_t record, int32_t field, int32_t value);
  bool SetFloat(int32_t record, int32_t field, long double value);
  bool SetBool(int32_t record, int32_t field, bool value);
  bool SetStr(int32_t record, int32_t field, std::string_view value);
  // The same on the current record, with the field named.
  std::optional<int32_t> GetInt(std::string_view field) const { return GetInt(current_, fields_.IndexOf(field)); }
  std::optional<long double> GetFloat(std::string_view field) const {
    return GetFloat(current_, fields_.IndexOf(field));
  }
  std::optional<bool> GetBool(std::string_view field) const { return GetBool(current_, fields_.IndexOf(field)); }
  std::optional<std::string> GetStr(std::string_view field) const { return GetStr(current_, fields_.IndexOf(field)); }
  bool SetInt(std::string_view field, int32_t value) { return SetInt(current_, fields_.IndexOf(field), value); }
  bool SetFloat(std::string_view field, long double value) { return SetFloat(current_, fields_.IndexOf(field), value); }
  bool SetBool(std::string_view field, bool value) { return SetBool(current_, fields_.IndexOf(field), value); }
  bool SetStr(std::string_view field, std::string_view value) { return SetStr(current_, fields_.IndexOf(field), value); }

  // The numbers of the records that match: field names[i] compared with
  // values[i] for i below both counts, by the kind of values (integers,
  // reals and flags as equal values; text equal, or with partial the
  // record's text found inside values[i]; ignore_case folds both). A name
  // that is no field ends the search with what was found so far. Without
  // names or values every record matches.
  std::vector<int32_t> Search(const TCustomParam* names, const TCustomParam* values, bool partial,
                              bool ignore_case) const;
  // Orders the records by the fields named (absent names are skipped), each
  // descending when its flag in descending says so (missing flags: ascending).
  void Sort(const TCustomParam& names, const TCustomParam& descending);

  // Replaces fields and records from tab-separated lines: a header of
  // "name type size" columns ("int", "float", "bool", else a string of that
  // size, 80 when none is given), then one record per non-empty line. False
  // (and no fields) when a column has no name or there is no header.
  bool LoadTsv(const std::vector<std::string>& lines);

  // Takes another table's fields and drops every record.
  void AssignFields(const TDBFieldList& fields);
  // Appends a copy of record number record of source, whose fields must
  // lay records out like this table's; false when the record is absent or
  // the table is full.
  bool AppendCopy(const TDBTable& source, int32_t record);
  void Clear();
  void ClearRecords();

  // byte 0, Name, Status, the fields (int32 count; per field int32 size,
  // string name, byte type), int32 record count, the records as raw blocks,
  // int32 Current.
  void SaveToStream(ByteWriter& out) const;
  // Reads what SaveToStream writes. A field whose size does not fit its
  // type (a negative size among them) and a string slot without its
  // terminator are load errors; a current record outside the records reads
  // as none.
  static TDBTable LoadFromStream(ByteReader& in);

 private:
  // One field of one record in its own type.
  struct Stored;
  std::optional<Stored> Read(int32_t record, int32_t field) const;
  bool Write(int32_t record, int32_t field, const Stored& value);
  bool Fits(int64_t record_bytes, int64_t count) const;
  uint8_t* Slot(int32_t record, int32_t field);
  const uint8_t* Slot(int32_t record, int32_t field) const;

  std::string name_;
  uint8_t status_;
  TDBFieldList fields_;
  // count_ blocks of fields_.Total() bytes, one after the other.
  std::vector<uint8_t> records_;
  int32_t count_ = 0;
  int32_t current_ = -1;
};

}  // namespace rivo
