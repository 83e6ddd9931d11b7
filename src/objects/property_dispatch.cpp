#include "objects/property_dispatch.h"

#include "common/error.h"
#include "objects/rivo_object.h"

namespace rivo {

void GetPropById(const TRivoObject& object, int32_t id, TCustomParam& result) {
  const PropertyInfo* info = FindProperty(id);
  if (!info) throw RivoError("GetPropエラー");
  if (auto get = object.Properties()[id].get) {
    get(object, result);
    return;
  }
  switch (info->kind) {
    case PT_STR: result.SetStr(""); break;
    case PT_BOOL: result.SetBool(false); break;
    case PT_FLOAT: result.SetFloat(0); break;
    default: result.SetInt(0); break;
  }
}

void SetPropById(TRivoObject& object, int32_t id, const TCustomParam& value) {
  const PropertyInfo* info = FindProperty(id);
  if (!info || info->Has(kErrorOnWrite)) throw RivoError("SetPropエラー");
  if (info->Has(kReadOnly)) return;
  if (auto set = object.Properties()[id].set) set(object, value);
}

bool SupportsProperty(const TRivoObject& object, int32_t id) {
  return FindProperty(id) && object.Properties().Supports(id);
}

}  // namespace rivo
