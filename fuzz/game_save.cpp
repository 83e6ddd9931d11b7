// A game save entry of "save.dat" from arbitrary bytes, loaded into a small
// running game: damage must be refused before anything of the game changes
// (never a crash, a hang or an allocation without bound), and what loads
// must save again.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "common/error.h"
#include "objects/rivo_base_list.h"
#include "scenario/call_man.h"
#include "scenario/empty_history.h"
#include "scenario/game_save.h"
#include "scenario/page.h"
#include "scenario/page_source.h"
#include "scenario/scenario_host.h"
#include "script/db_manager.h"
#include "script/param_collection.h"

namespace {

using namespace rivo;

// The game the saves load into: a page that waits, one that calls, one
// that handles an event.
class Host : public ScenarioHost {
 public:
  Host() {
    Add("main.rsb", "VarNew n\n  . kind integer\nWait TRUE\n  . time 1000\nCall sub.rsb\n  . cond TRUE\n");
    Add("sub.rsb", "page 112\nreturn integer\nWait TRUE\n  . time 100\n");
    Add("ev.rsb", "Label go\nWait TRUE\n  . time 50\n");
  }
  std::string ReadFile(std::string_view name) override {
    auto found = pages_.find(std::string(name));
    if (found == pages_.end()) throw RivoError("%s:ファイルがありません", name);
    return found->second;
  }
  bool FileExists(std::string_view name) override { return pages_.contains(std::string(name)); }
  bool Terminating() const override { return false; }
  void SetTerminating(bool) override {}
  int32_t ElapsedMs() const override { return 0; }
  int32_t FrameDeltaMs() const override { return 16; }
  void Warn(std::string_view, std::string_view) override {}

 private:
  void Add(const std::string& name, const std::string& source) {
    TPage page;
    AssemblePage(source, page, name, nullptr);
    pages_[name] = page.SaveToBytes();
  }
  std::map<std::string, std::string> pages_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Host host;
  TParamCollection variables;
  TDBManager tables;
  TRivoBaseList screen;
  EmptyHistory history;
  TCallMan calls(host, &variables, screen);
  calls.JumpTo("main.rsb");
  calls.Step();
  GameSaveParts parts{screen, history, calls, &variables, &tables};
  const std::string_view entry(reinterpret_cast<const char*>(data), size);
  const int32_t variables_before = variables.Count();
  const int32_t objects_before = screen.ObjectCount();
  CheckedGameSave checked;
  try {
    checked = CheckGameSave(entry, parts);
  } catch (const RivoError&) {
    if (variables.Count() != variables_before || screen.ObjectCount() != objects_before ||
        calls.CurrentPage()->Name != "main.rsb" || calls.Pc() != 1)
      __builtin_trap();
    return 0;
  }
  LoadGameSave(entry, std::move(checked), parts);
  WriteGameSave({}, parts);
  for (int i = 0; i < 3; ++i) calls.Step();
  return 0;
}
