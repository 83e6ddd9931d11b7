#include "scenario/text_commands.h"

#include "objects/rivo_base_list.h"
#include "objects/rivo_mes.h"
#include "scenario/call_man.h"
#include "scenario/command_support.h"
#include "scenario/object_commands.h"
#include "scenario/page.h"
#include "text/rivo_read_list.h"

namespace rivo {
namespace {

TRivoMes* FindWindow(TCallMan& calls, const std::string& name) {
  if (name.empty()) return nullptr;
  TRivoControl* control = calls.Screen().FindControlByName(name);
  return control && control->GetCompoType() == LT_MES ? static_cast<TRivoMes*>(control) : nullptr;
}

}  // namespace

void TComTextIns::Begin(TCallMan& calls) {
  WindowName.clear();
  Waiting = false;
  Block = IsTrue(calls, BlockEvents);
  if (Text.empty()) return;
  const std::string name = EvaluateText(calls, Window);
  TRivoMes* window = FindWindow(calls, name);
  if (!window) return;
  WindowName = name;
  window->RecordRead = 0;
  window->TextStart = 0;
  const std::string& page_name = calls.CurrentPage()->Name;
  if (IsTrue(calls, RecordRead)) {
    window->RecordRead = 1;
    window->SourcePage = page_name;
    window->SourceIndex = calls.Pc();
  }
  window->InsertText(page_name, calls.Pc());
  window->HistoryEntry = false;
  window->Reload(false);
  if (window->GetPageCount() > 0) window->ShowPage(0);
  Waiting = IsTrue(calls, Wait);
}

void TComTextIns::Execute(TCallMan& calls, std::shared_ptr<TPage>&, int32_t& pc) {
  TRivoMes* window = FindWindow(calls, WindowName);
  if (window && Waiting && window->GetPageCount() != 0) {
    // The window types on in the ticks to come.
    calls.SetRunOn(false);
    return;
  }
  ++pc;
}

void TComTextClr::Execute(TCallMan& calls, std::shared_ptr<TPage>&, int32_t& pc) {
  ++pc;
  if (TRivoMes* window = FindWindow(calls, EvaluateText(calls, Window))) {
    window->RecordRead = 0;
    window->SetText("");
  }
}

void TComClrRead::Execute(TCallMan& calls, std::shared_ptr<TPage>&, int32_t& pc) {
  ++pc;
  if (TRivoReadList* marks = calls.Screen().ReadMarks()) marks->Clear();
}

}  // namespace rivo
