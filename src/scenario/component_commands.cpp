#include "scenario/component_commands.h"

#include "objects/property_dispatch.h"
#include "objects/rivo_base_list.h"
#include "objects/rivo_control.h"
#include "objects/rivo_custom_images.h"
#include "scenario/call_man.h"
#include "scenario/command_support.h"
#include "scenario/page.h"
#include "script/typed_params.h"

namespace rivo {
namespace {

// The value a creating command applies for an expression without one.
std::unique_ptr<TCustomParam> CreationDefault(const PropertyInfo& info) {
  switch (info.kind) {
    case PT_STR: return std::make_unique<TParamStr>();
    case PT_FLOAT: return std::make_unique<TParamFloat>();
    case PT_BOOL: {
      auto flag = std::make_unique<TParamFlag>();
      flag->SetBool(info.creation_default != 0);
      return flag;
    }
    default: {
      auto number = std::make_unique<TParamInt>();
      number->SetInt(info.creation_default);
      return number;
    }
  }
}

}  // namespace

TComComponent::TComComponent(TPage& page, uint8_t code) : TCommand(page) {
  for (int32_t id = 0; id < kPropertyCount; ++id)
    if (page.HasProperty(code, id)) Properties[static_cast<std::size_t>(id)] = std::make_unique<TRivoParser>();
}

void ApplyCreationProperties(TCallMan& calls, PropertySlots& slots, TRivoObject& object) {
  TRivoBaseList& screen = calls.Screen();
  for (uint8_t id : CreationOrder()) {
    TRivoParser* slot = slots[id].get();
    if (!slot) continue;
    const PropertyInfo& info = *FindProperty(id);
    if (info.Has(kSkippedOnCreation)) continue;
    const TCustomParam* value = EvaluateExpression(calls, *slot);
    if (id == PR_NAME) {
      if (value && !value->AsStr().empty()) SetPropById(object, id, *value);
    } else if (id == PR_PARENT) {
      if (TRivoControl* control = object.AsControl()) {
        TRivoControl* parent = value ? screen.FindControlByName(value->AsStr()) : nullptr;
        control->SetParent(parent ? parent : &screen.ActiveBase());
      }
    } else if (value) {
      SetPropById(object, id, *value);
    } else {
      SetPropById(object, id, *CreationDefault(info));
    }
  }
  object.Invalidate();
}

void TComComponent::Execute(TCallMan& calls, std::shared_ptr<TPage>&, int32_t& pc) {
  if (!HasObjectKind(ObjectType())) {
    SkipUnsupported(calls, *this, pc);
    return;
  }
  ++pc;
  TRivoObject& object = calls.Screen().CreateByType(ObjectType());
  Prepare(calls, object);
  ApplyCreationProperties(calls, Properties, object);
  Finish(calls, object);
}

void TComComponent::Finish(TCallMan& calls, TRivoObject& object) {
  switch (GetType()) {
    case CC_MOVIE:
    case CC_SOUND: {
      TParamInt fade;
      GetPropById(object, PR_DELAY, fade);
      object.SetPlayState(fade.AsInt() != 0 ? LP_PLAYFADE : LP_PLAY);
      break;
    }
    case CC_MENU: object.SetPlayState(LP_PLAYFADE); break;
    default: break;
  }
}

void TComImgNew::Prepare(TCallMan&, TRivoObject& object) {
  auto* images = dynamic_cast<TRivoCustomImages*>(&object);
  if (images && Properties[PR_DELAY]) images->LastFrameWait.Assign(*Properties[PR_DELAY]);
}

}  // namespace rivo
