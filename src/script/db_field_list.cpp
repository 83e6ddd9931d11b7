#include "script/db_field_list.h"

#include "common/sjis.h"

namespace rivo {

int32_t DBFieldBytes(uint8_t type, int32_t declared_size) {
  switch (type) {
    case DB_INT: return 4;
    case DB_FLOAT: return 10;
    case DB_BOOL: return 1;
    case DB_STR: return declared_size >= 0 && declared_size <= kMaxDBStringSize ? declared_size + 1 : -1;
    default: return -1;
  }
}

bool DBFieldSizeFits(uint8_t type, int32_t size) {
  if (type == DB_STR) return size >= 1 && size <= kMaxDBStringSize + 1;
  return size == DBFieldBytes(type, 0);
}

int32_t TDBFieldList::IndexOf(std::string_view name) const {
  for (std::size_t i = 0; i < fields_.size(); ++i)
    if (sjis::SameText(fields_[i].name, name)) return static_cast<int32_t>(i);
  return -1;
}

void TDBFieldList::Add(TDBField field) {
  offsets_.push_back(total_);
  total_ += field.size;
  fields_.push_back(std::move(field));
}

void TDBFieldList::Delete(int32_t index) {
  fields_.erase(fields_.begin() + index);
  offsets_.clear();
  total_ = 0;
  for (const TDBField& field : fields_) {
    offsets_.push_back(total_);
    total_ += field.size;
  }
}

void TDBFieldList::Clear() {
  fields_.clear();
  offsets_.clear();
  total_ = 0;
}

bool TDBFieldList::SameAs(const TDBFieldList& other) const {
  if (fields_.size() != other.fields_.size()) return false;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const TDBField& a = fields_[i];
    const TDBField& b = other.fields_[i];
    if (a.type != b.type || a.size != b.size || !sjis::SameText(a.name, b.name)) return false;
  }
  return true;
}

}  // namespace rivo
