#pragma once
// TSysFuncMan: runs the system functions that expressions call. The
// evaluator hands it each call (function_dispatcher.h); it finds the body of
// that function (the *_functions.cpp files, one per family) and runs it
// against the variable store, the table database, the game's files and the
// random generator it keeps.
//
// The functions that need runtime objects, the screen, menus, the message
// history, saves or display modes belong to higher layers, which lend their
// bodies through SetExternalBody while they exist; a function without a
// body fails like calling a function that does not exist.
//
// The manager owns the table database, so the tables live exactly as long
// as the manager: the host makes it before the project and frees it after.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <span>
#include <string_view>

#include "script/db_manager.h"
#include "script/function_dispatcher.h"
#include "script/function_table.h"
#include "script/script_random.h"

namespace rivo {

class FunctionCall;
class TParamCollection;
class TVrFileManager;

using FunctionBody = void (*)(FunctionCall& call);
using FunctionBodies = std::array<FunctionBody, kFunctionCount>;

class TSysFuncMan final : public FunctionDispatcher {
 public:
  // Installs itself as the store's dispatcher until it is freed. files:
  // where "LoadTextFile", "FileExists" and "DBLoadTsvFile" read (not owned;
  // nullptr: no file exists). random_seed: the seed of "Random".
  TSysFuncMan(TParamCollection& store, TVrFileManager* files, uint32_t random_seed);
  ~TSysFuncMan() override;
  TSysFuncMan(const TSysFuncMan&) = delete;
  TSysFuncMan& operator=(const TSysFuncMan&) = delete;

  void Call(TCustomParam& dest, int32_t index, int32_t last_arg_index,
            std::span<TCustomParam* const> args) override;

  // A body from a layer above the script core (the object functions); an
  // empty one takes it back. The name must be in the function table.
  using ExternalBody = std::function<void(FunctionCall& call)>;
  void SetExternalBody(std::string_view name, ExternalBody body);

  TParamCollection& Store() const { return store_; }
  TVrFileManager* Files() const { return files_; }
  TDBManager& Tables() { return tables_; }
  TScriptRandom& Random() { return random_; }

  // Asked before a text file is read, so that the disk holding it can be
  // requested (the project knows which disk holds what); false: the file
  // cannot be reached and is not read. Without one every file is reachable.
  using DiskRequest = std::function<bool(std::string_view name)>;
  void SetDiskRequest(DiskRequest request) { disk_request_ = std::move(request); }
  bool CanReach(std::string_view name) const { return !disk_request_ || disk_request_(name); }
  // The bytes of a file of the game, after asking for its disk; nullopt
  // when the disk cannot be had. A file that does not exist raises
  // "%s:ファイルがありません".
  std::optional<std::string> ReadFile(std::string_view name) const;

  // "Calc" runs expressions from inside an expression; text that calls
  // itself through a variable would never end. Each nested run holds one
  // level; past kMaxCalcDepth the call fails instead.
  static constexpr int32_t kMaxCalcDepth = 16;
  int32_t& CalcDepth() { return calc_depth_; }

 private:
  TParamCollection& store_;
  TVrFileManager* files_;
  TDBManager tables_;
  TScriptRandom random_;
  DiskRequest disk_request_;
  int32_t calc_depth_ = 0;
  FunctionBodies bodies_{};
  std::array<ExternalBody, kFunctionCount> external_;
};

}  // namespace rivo
