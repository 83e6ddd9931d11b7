#pragma once
// TDBManager: the table database of a running game. It holds the tables in
// creation order and which one is active (the one the "DB" functions work
// on when they name none). Tables whose Status is 0 belong to the game and
// are saved with each game save; the others are kept with the status data,
// saved once for all games.
//
// It lives from before the project loads until after the project is freed,
// because the project reads and writes the persistent tables with its
// status data.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "script/db_table.h"

namespace rivo {

class ByteReader;
class ByteWriter;
class TCustomParam;

class TDBManager {
 public:
  // Appends a table and makes it active; -1 when the name is empty or a
  // table of that name (ignoring case) exists. Any status other than 0
  // makes a persistent table (stored as 1).
  int32_t Create(std::string_view name, int32_t status);
  bool SetActive(std::string_view name);
  // nullptr when no table is active.
  TDBTable* ActiveTable() const;
  int32_t Active() const { return active_; }
  // Ignoring case; -1 when absent.
  int32_t IndexOf(std::string_view name) const;
  TDBTable* Find(std::string_view name) const;
  int32_t Count() const { return static_cast<int32_t>(tables_.size()); }
  TDBTable& operator[](int32_t index) const { return *tables_[static_cast<std::size_t>(index)]; }

  // Frees the table; the active table, if another, stays active.
  bool DeleteTable(std::string_view name);
  void ClearAll();
  // Game reset: frees the tables of the game (Status 0); none is active.
  void ClearUnsaved();

  // The named table (which must exist and differ from the active one) is
  // emptied, takes the active table's fields and receives a copy of each
  // listed record of the active table.
  bool CopySelected(std::string_view name, const std::vector<int32_t>& records);
  // Appends to the active table a copy of each listed record of the named
  // table, which must have the same fields (names, types and sizes in order).
  bool InsertSelected(std::string_view name, const std::vector<int32_t>& records);

  // Direct access: the first record of the named table that matches names
  // and keys (as TDBTable::Search), read or written at field. A read that
  // fails gives nullopt, a write false.
  struct Lookup {
    std::string_view table;
    const TCustomParam& names;
    const TCustomParam& keys;
    bool partial;
    bool ignore_case;
    std::string_view field;
  };
  std::optional<int32_t> DirectGetInt(const Lookup& at) const;
  std::optional<long double> DirectGetFloat(const Lookup& at) const;
  std::optional<bool> DirectGetBool(const Lookup& at) const;
  std::optional<std::string> DirectGetStr(const Lookup& at) const;
  bool DirectSetInt(const Lookup& at, int32_t value);
  bool DirectSetFloat(const Lookup& at, long double value);
  bool DirectSetBool(const Lookup& at, bool value);
  bool DirectSetStr(const Lookup& at, std::string_view value);

  // The section of one kind of table: int32 100, int32 count, the tables,
  // and for the game's tables (status 0) the active table's name. status 0
  // takes the game's tables, any other value the persistent ones.
  void SaveToStream(ByteWriter& out, int32_t status) const;
  // Replaces the tables of that kind with the ones read; the others stay.
  // Each table read becomes active in turn; for the game's tables the saved
  // name is made active afterwards. A table whose status belongs to the
  // other section is a load error; on a load error nothing has changed.
  void LoadFromStream(ByteReader& in, int32_t status);

 private:
  // The table and field number a direct access reaches, with the record
  // found; nullptr when the table, a match or the field is missing.
  TDBTable* Locate(const Lookup& at, int32_t& record, int32_t& field) const;

  std::vector<std::unique_ptr<TDBTable>> tables_;
  int32_t active_ = -1;
};

}  // namespace rivo
