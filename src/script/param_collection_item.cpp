#include "script/param_collection_item.h"

#include "common/error.h"
#include "script/param_var.h"

namespace rivo {

TParamCollectionItem::TParamCollectionItem(std::unique_ptr<TCustomParam> param) : param_(std::move(param)) {}

TParamCollectionItem::~TParamCollectionItem() {
  while (references_) references_->Detach();
}

void CheckVariableName(std::string_view name) {
  if (name.empty() || name.find(' ') != std::string_view::npos || (name[0] >= '0' && name[0] <= '9'))
    throw RivoError("\"%s\"：変数名が不正です", name);
}

}  // namespace rivo
