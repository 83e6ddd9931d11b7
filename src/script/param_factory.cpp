#include "script/param_factory.h"

#include "script/param_var.h"
#include "script/typed_params.h"

namespace rivo {

std::unique_ptr<TCustomParam> MakeParam(uint8_t kind, const TParamCollection* store) {
  switch (kind) {
    case PT_NONE: return std::make_unique<TParamVar>(store);
    case PT_INT: return std::make_unique<TParamInt>();
    case PT_FLOAT: return std::make_unique<TParamFloat>();
    case PT_BOOL: return std::make_unique<TParamFlag>();
    case PT_STR: return std::make_unique<TParamStr>();
    default: return nullptr;
  }
}

void AssignAs(TCustomParam& dest, uint8_t kind, const TCustomParam& value) {
  switch (kind) {
    case PT_INT: dest.SetInt(value.AsInt()); break;
    case PT_FLOAT: dest.SetFloat(value.AsFloat()); break;
    case PT_BOOL: dest.SetBool(value.AsBool()); break;
    case PT_STR: dest.SetStr(value.AsStr()); break;
    default: break;
  }
}

}  // namespace rivo
