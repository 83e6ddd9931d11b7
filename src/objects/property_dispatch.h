#pragma once
// Reading and writing any property of any object by its id: the "GetProp"
// and "SetProp" commands and functions, the property motion and the object
// dump all come through here.

#include <cstdint>

namespace rivo {

class TCustomParam;
class TRivoObject;

// Stores the property into result in the property's kind; an id the
// object does not support gives 0, false or the empty text. An id outside
// 0..162 (negative ones included) raises "GetPropエラー".
void GetPropById(const TRivoObject& object, int32_t id, TCustomParam& result);
// Writes value through the object's setter; unsupported and read-only ids
// change nothing. An id outside 0..162 and PR_APPEARX/PR_APPEARY raise
// "SetPropエラー".
void SetPropById(TRivoObject& object, int32_t id, const TCustomParam& value);
// Whether the object has an accessor for the id.
bool SupportsProperty(const TRivoObject& object, int32_t id);

}  // namespace rivo
