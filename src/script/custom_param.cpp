#include "script/custom_param.h"

#include "common/error.h"
#include "common/sjis.h"

namespace rivo {

void ThrowBadIndex() { throw RivoError("配列の添字が不正です"); }

void ThrowBadSizes(std::span<const int64_t> sizes) {
  std::string joined;
  for (int64_t size : sizes) {
    if (!joined.empty()) joined += ",";
    joined += std::to_string(size);
  }
  throw RivoError("配列の要素数[%s]が不正です", joined);
}

int32_t TCustomParam::IndexOfStr(std::string_view s, bool case_sensitive, bool partial) const {
  std::string wanted = case_sensitive || !partial ? std::string(s) : sjis::LowerCase(s);
  int32_t count = GetCount();
  for (int32_t i = 0; i < count; ++i) {
    std::string element = GetStrAt(i);
    bool match;
    if (partial) {
      if (!case_sensitive) element = sjis::LowerCase(element);
      match = element.find(wanted) != std::string::npos;
    } else {
      match = case_sensitive ? element == wanted : sjis::SameText(element, wanted);
    }
    if (match) return i;
  }
  return -1;
}

void TCustomParam::CopyConverted(const TCustomParam& source) {
  std::vector<int32_t> sizes = source.DimSizes();
  int32_t count = source.GetCount();
  if (sizes.empty()) {
    MakeScalar();
    SetCount(count);
  } else {
    SetDims(sizes);
  }
  int32_t n = std::min(GetCount(), count);
  switch (GetKind()) {
    case PT_INT:
      for (int32_t i = 0; i < n; ++i) SetIntAt(i, source.GetIntAt(i));
      break;
    case PT_FLOAT:
      for (int32_t i = 0; i < n; ++i) SetFloatAt(i, source.GetFloatAt(i));
      break;
    case PT_BOOL:
      for (int32_t i = 0; i < n; ++i) SetBoolAt(i, source.GetBoolAt(i));
      break;
    case PT_STR:
      for (int32_t i = 0; i < n; ++i) SetStrAt(i, source.GetStrAt(i));
      break;
    default:
      break;
  }
}

}  // namespace rivo
