#include <algorithm>
#include <vector>

#include "objects/rivo_base_list.h"
#include "objects/rivo_cabinet.h"
#include "scenario/call_man.h"
#include "scenario/command_support.h"
#include "scenario/component_commands.h"

namespace rivo {
namespace {

// Selected: named in the lists when the mode is false, named in none of
// them when it is true.
struct Selection {
  std::vector<std::string> names;
  bool invert = false;

  bool operator()(const TRivoControl& control) const {
    const bool listed = std::find(names.begin(), names.end(), control.GetName()) != names.end();
    return listed != invert;
  }
};

TRivoCabinet* FindCabinet(TRivoBaseList& screen, const std::string& name) {
  if (name.empty()) return nullptr;
  TRivoObject* found = screen.FindObjectByName(name);
  return found && found->IsCabinet() ? static_cast<TRivoCabinet*>(found) : nullptr;
}

// Moves the selected children of from into to, last child first.
void MoveSelected(TRivoControl& from, TRivoControl& to, const Selection& selected) {
  const std::vector<TRivoControl*> children = from.Children();
  for (auto it = children.rbegin(); it != children.rend(); ++it)
    if (selected(**it)) (*it)->SetParent(&to);
}

}  // namespace

void TComCabinet::Execute(TCallMan& calls, std::shared_ptr<TPage>&, int32_t& pc) {
  ++pc;
  TRivoParser* name_slot = Properties[PR_NAME].get();
  const std::string name = name_slot ? EvaluateText(calls, *name_slot) : std::string();
  if (GetType() == CC_SAVECABINET)
    Save(calls, name);
  else
    Load(calls, name);
}

void TComCabinet::Save(TCallMan& calls, const std::string& name) {
  TRivoBaseList& screen = calls.Screen();
  Selection selected{{}, IsTrue(calls, SelectMode)};
  for (auto& expression : Names) selected.names.push_back(EvaluateText(calls, *expression));
  TRivoCabinet* cabinet = FindCabinet(screen, name);
  if (!cabinet) {
    cabinet = &screen.Create<TRivoCabinet>();
    if (!name.empty()) cabinet->SetName(name);
    cabinet->SetParent(&screen.BaseAt(0));
  }
  MoveSelected(screen.BackBase(), *cabinet, selected);
  if (cabinet->ChildCount() == 0) cabinet->Release();
}

void TComCabinet::Load(TCallMan& calls, const std::string& name) {
  TRivoBaseList& screen = calls.Screen();
  TRivoCabinet* cabinet = FindCabinet(screen, name);
  if (!cabinet) return;
  Selection selected{{}, IsTrue(calls, SelectMode)};
  for (auto& expression : Names) selected.names.push_back(EvaluateText(calls, *expression));
  MoveSelected(*cabinet, screen.BackBase(), selected);
  if (cabinet->ChildCount() == 0) cabinet->Release();
}

}  // namespace rivo
