#include "objects/object_functions.h"

#include <array>

#include "objects/property_dispatch.h"
#include "objects/rivo_base_list.h"
#include "objects/rivo_control.h"
#include "script/function_call.h"
#include "script/script_text.h"

namespace rivo {
namespace {

using Body = void (*)(FunctionCall& call, TRivoBaseList& screen);

TRivoObject* Named(FunctionCall& call, TRivoBaseList& screen, int32_t arg) {
  return screen.FindObjectByName(call.Str(arg));
}

void GetProp(FunctionCall& call, TRivoBaseList& screen) {
  if (TRivoObject* object = Named(call, screen, 0)) GetPropById(*object, call.Int(1), call.dest);
}

void SetProp(FunctionCall& call, TRivoBaseList& screen) {
  if (TRivoObject* object = Named(call, screen, 0)) SetPropById(*object, call.Int(1), call.Arg(2));
}

void Exists(FunctionCall& call, TRivoBaseList& screen) {
  const std::string name = call.Str(0);
  call.dest.SetBool(!name.empty() && screen.FindObjectByName(name));
}

void ListCompo(FunctionCall& call, TRivoBaseList& screen) {
  int32_t type = call.IntOr(1, 0);
  if (type < 0 || type >= kObjectTypeCount) type = 0;
  const TRivoControl* parent = nullptr;
  std::vector<std::string> names;
  if (call.Has(2)) {
    // A parent that is no control has no children to list.
    TRivoObject* object = Named(call, screen, 2);
    parent = object ? object->AsControl() : nullptr;
    if (!parent) {
      StoreStrings(call.Writable(0), names);
      call.dest.SetInt(0);
      return;
    }
  }
  const int32_t count = screen.ListNames(names, type, parent);
  StoreStrings(call.Writable(0), names);
  call.dest.SetInt(count);
}

// "ToClientX" ... "ToScreenY": the coordinate itself when the object is missing.
template <bool ToScreen, bool Y>
void Convert(FunctionCall& call, TRivoBaseList& screen) {
  int32_t x = Y ? 0 : call.Int(1);
  int32_t y = Y ? call.Int(1) : 0;
  if (TRivoObject* object = Named(call, screen, 0)) {
    if (ToScreen)
      object->ClientToScreen(x, y);
    else
      object->ScreenToClient(x, y);
  }
  call.dest.SetInt(Y ? y : x);
}

void GetCheck(FunctionCall& call, TRivoBaseList& screen) {
  TRivoObject* object = Named(call, screen, 0);
  call.dest.SetBool(object && object->GetItemCheck(call.Int(1)));
}

void SetCheck(FunctionCall& call, TRivoBaseList& screen) {
  if (TRivoObject* object = Named(call, screen, 0)) object->SetItemCheck(call.Int(1), call.Bool(2));
}

struct Entry {
  const char* name;
  Body body;
};

constexpr std::array<Entry, 10> kFunctions{{
    {"GetProp", GetProp},
    {"SetProp", SetProp},
    {"Exists", Exists},
    {"ListCompo", ListCompo},
    {"ToClientX", Convert<false, false>},
    {"ToClientY", Convert<false, true>},
    {"ToScreenX", Convert<true, false>},
    {"ToScreenY", Convert<true, true>},
    {"GetCheck", GetCheck},
    {"SetCheck", SetCheck},
}};

}  // namespace

ObjectFunctions::ObjectFunctions(TSysFuncMan& functions, TRivoBaseList& screen) : functions_(functions) {
  for (const Entry& entry : kFunctions)
    functions_.SetExternalBody(entry.name, [body = entry.body, &screen](FunctionCall& call) { body(call, screen); });
}

ObjectFunctions::~ObjectFunctions() {
  for (const Entry& entry : kFunctions) functions_.SetExternalBody(entry.name, nullptr);
}

}  // namespace rivo
