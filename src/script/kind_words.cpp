#include "script/kind_words.h"

#include "common/encoding.h"
#include "script/custom_param.h"
#include "script/param_kind.h"

namespace rivo {

namespace {
constexpr const char* kWords[] = {"none", "integer", "real", "flag", "string"};
}  // namespace

const char* KindWord(uint8_t kind) { return kind <= PT_STR ? kWords[kind] : kWords[0]; }

std::optional<uint8_t> KindFromWord(std::string_view word) {
  for (uint8_t k = PT_INT; k <= PT_STR; ++k)
    if (word == kWords[k]) return k;
  return std::nullopt;
}

std::string DescribeValue(const TCustomParam* value) {
  if (!value || !IsValueKind(value->GetKind())) return "none";
  std::string text;
  if (value->DimSizes().empty()) {
    text = value->AsStr();
  } else {
    text = "[";
    for (int32_t i = 0; i < value->GetCount(); ++i) text += (i ? "," : "") + value->GetStrAt(i);
    text += "]";
  }
  return std::string(KindWord(value->GetKind())) + ":" + Cp932ToUtf8(text);
}

}  // namespace rivo
