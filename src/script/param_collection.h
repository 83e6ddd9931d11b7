#pragma once
// TParamCollection: the variable store. Every variable of the running game
// lives here under its name (case-insensitive), beside the fifty system
// variables, the call depth that decides which local variables are visible,
// and the few values saved with the variables (TextDelay, CursorName, the
// last menu choice, the target of "@Temp").
//
// Lookups keep their own index from a name to the variables of that name,
// so finding a variable costs the same however many variables exist.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/hash_collection.h"
#include "script/param_collection_item.h"
#include "script/system_services.h"

namespace rivo {

class ByteReader;
class ByteWriter;
class FunctionDispatcher;

// The scope code of a variable-creating command.
enum VariableScope : uint8_t {
  VS_GLOBAL = 0,      // until deleted or reset; saved with each game
  VS_AUTODELETE = 1,  // deleted when the call that made it returns
  VS_LOCAL = 2,       // the same, and visible only at that call depth
  VS_STATUS = 3,      // saved once for all games, kept by loading a game
};

class TParamCollection {
 public:
  // services: what the system variables ask (not owned; nullptr: neutral answers).
  explicit TParamCollection(SystemServices* services = nullptr);
  TParamCollection(const TParamCollection&) = delete;
  TParamCollection& operator=(const TParamCollection&) = delete;
  ~TParamCollection();

  // The visible variable of that name: a local one of the current depth
  // (the latest named), else the earliest named of those that are not local.
  TParamCollectionItem* Find(std::string_view name) const;
  // Only local variables of the current depth, or only non-local ones; the latest named.
  TParamCollectionItem* FindScoped(std::string_view name, bool local) const;

  // Appends an unnamed variable holding a new value of kind; raises
  // "%s:不正な変数です" for a code other than 0..4.
  TParamCollectionItem& AddVariable(uint8_t kind);
  // Raises "\"name\"：変数名が不正です" for a bad name.
  void SetName(TParamCollectionItem& item, std::string name);
  void SetScope(TParamCollectionItem& item, uint8_t scope);
  // The variable-creating command: finds the variable with the scope's
  // visibility or adds it (named, with the scope's flags). Returns the
  // variable that takes the initial value, or nullptr when it is an existing
  // status variable, which keeps its value.
  TParamCollectionItem* DeclareVariable(std::string_view name, uint8_t kind, uint8_t scope);

  // A new value of the variable's kind holding a copy of it; nullptr when
  // the name is absent; raises "%s:不正な変数です" for a reference.
  std::unique_ptr<TCustomParam> CopyValueOf(std::string_view name) const;

  // Deletes a variable; system variables are refused (false).
  bool Delete(TParamCollectionItem& item);
  // Deletes the variables made by the call at depth (it has returned).
  void DeleteOwnedBy(int32_t depth);
  // Deletes every variable but the system and status ones.
  void Reset();

  int32_t CurrentDepth() const { return current_depth_; }
  void SetCurrentDepth(int32_t depth);

  int32_t TextDelay() const { return text_delay_; }
  void SetTextDelay(int32_t delay) { text_delay_ = delay; }
  const std::string& CursorName() const { return cursor_name_; }
  void SetCursorName(std::string name) { cursor_name_ = std::move(name); }
  const std::string& SelStr() const { return sel_str_; }
  void SetSelStr(std::string text) { sel_str_ = std::move(text); }
  int32_t SelIndex() const { return sel_index_; }
  void SetSelIndex(int32_t index) { sel_index_ = index; }
  const std::string& TempTarget() const { return temp_target_; }
  void SetTempTarget(std::string name) { temp_target_ = std::move(name); }

  // The game section (variables that are neither system nor status, and
  // the values beside them) and the status section; see variable_sections.cpp.
  void SaveGameSection(ByteWriter& out) const;
  void LoadGameSection(ByteReader& in, int32_t version);
  void SaveStatusSection(ByteWriter& out) const;
  void LoadStatusSection(ByteReader& in, int32_t version);

  // Changes whenever a lookup could find something else than before (a
  // variable added, named, deleted, re-scoped, or the depth changed), so
  // that a binding remembered under the same generation is still right.
  uint64_t Generation() const { return generation_; }

  int32_t Count() const { return items_.Count(); }
  TParamCollectionItem& operator[](int32_t index) const { return items_[index]; }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

  SystemServices& Services() const { return *services_; }
  void SetServices(SystemServices* services) { services_ = services ? services : &neutral_services_; }
  // Who runs the system functions of expressions (not owned; may be nullptr).
  FunctionDispatcher* Functions() const { return functions_; }
  void SetFunctions(FunctionDispatcher* functions) { functions_ = functions; }

 private:
  struct FoldedHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const;
  };
  struct FoldedEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  // Variables of one name, in the order they were named.
  using NameIndex = std::unordered_map<std::string, std::vector<TParamCollectionItem*>, FoldedHash, FoldedEqual>;

  TParamCollectionItem& Insert(std::unique_ptr<TParamCollectionItem> item, std::string name);
  void Unindex(TParamCollectionItem& item);
  void Index(TParamCollectionItem& item);
  void DeleteAt(int32_t index);
  // Variables for a section: not system, and status or not.
  std::vector<const TParamCollectionItem*> SectionVariables(bool status) const;
  void SaveSection(ByteWriter& out, bool status) const;
  struct LoadedRecord {
    std::string name;
    std::unique_ptr<TParamCollectionItem> item;
  };
  std::vector<LoadedRecord> ReadRecords(ByteReader& in);
  void AddLoaded(std::vector<LoadedRecord> loaded);

  THashCollection<TParamCollectionItem> items_;
  NameIndex by_name_;
  int32_t current_depth_ = 0;
  uint64_t generation_ = 0;
  int32_t text_delay_ = 50;
  std::string cursor_name_;
  std::string sel_str_;
  int32_t sel_index_ = 0;
  std::string temp_target_;
  SystemServices neutral_services_;
  SystemServices* services_;
  FunctionDispatcher* functions_ = nullptr;
};

}  // namespace rivo
