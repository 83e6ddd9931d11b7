#include "scenario/variable_dump.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "common/json_text.h"
#include "script/kind_words.h"
#include "script/param_collection.h"

namespace rivo {
namespace {

std::string Element(const TCustomParam& v, int32_t index) {
  switch (v.GetKind()) {
    case PT_INT: return std::to_string(v.GetIntAt(index));
    case PT_FLOAT: return JsonReal(v.GetFloatAt(index));
    case PT_BOOL: return v.GetBoolAt(index) ? "true" : "false";
    default: return JsonString(v.GetStrAt(index));
  }
}

// The elements from flat position first, nested by the sizes from dimension k on.
std::string Nested(const TCustomParam& v, const std::vector<int32_t>& sizes, std::size_t k, int32_t first) {
  if (k == sizes.size()) return Element(v, first);
  int32_t stride = 1;
  for (std::size_t j = k + 1; j < sizes.size(); ++j) stride *= sizes[j];
  std::string out = "[";
  for (int32_t i = 0; i < sizes[k]; ++i) out += (i ? ", " : "") + Nested(v, sizes, k + 1, first + i * stride);
  return out + "]";
}

}  // namespace

std::string DumpVariablesJson(const TParamCollection& variables) {
  std::string out = "{";
  bool first = true;
  for (const auto& item : variables) {
    const std::string& name = item->Name();
    if (item->IsSystem() || name.empty() || name.rfind("____", 0) == 0) continue;
    // Of several variables of one name, the one the game sees now.
    if (variables.Find(name) != item.get()) continue;
    const TCustomParam& value = item->Param();
    if (!IsValueKind(value.GetKind())) continue;
    std::vector<int32_t> sizes = value.DimSizes();
    std::string v = sizes.empty() ? Element(value, 0) : Nested(value, sizes, 0, 0);
    out += std::string(first ? "\n" : ",\n") + "  " + JsonString(name) + ": {\"kind\": \"" + KindWord(IsValueKind(value.GetKind()) ? value.GetKind() : uint8_t{PT_STR}) +
           "\", \"value\": " + v + "}";
    first = false;
  }
  return out + (first ? "}\n" : "\n}\n");
}

}  // namespace rivo
