#include "text/decorate.h"

#include <algorithm>
#include <functional>

namespace rivo {
namespace {

std::size_t StyleHash(const TDecorate& d) {
  std::size_t h = std::hash<std::string>()(d.FontName) ^ (std::hash<std::string>()(d.Ruby) << 1);
  for (int64_t v : {int64_t{d.Color}, int64_t{d.BColor}, int64_t{d.SColor}, int64_t{d.Size}, int64_t{d.Style},
                    int64_t{d.NoBreak}, int64_t{d.Border}, int64_t{d.Shadow}})
    h = h * 1000003u ^ std::hash<int64_t>()(v);
  return h;
}

}  // namespace

bool TDecorate::SameStyle(const TDecorate& o) const {
  return Color == o.Color && BColor == o.BColor && SColor == o.SColor && Size == o.Size && Style == o.Style &&
         FontName == o.FontName && NoBreak == o.NoBreak && Ruby == o.Ruby && Border == o.Border &&
         Shadow == o.Shadow;
}

TDecorate* TDecorateList::Intern(const TDecorate& style) {
  const Entry* found = nullptr;
  auto [from, to] = index_.equal_range(StyleHash(style));
  for (auto it = from; it != to; ++it)
    if (it->second.record->SameStyle(style) && (!found || it->second.serial < found->serial)) found = &it->second;
  if (found) {
    ++found->record->RefCount;
    return found->record;
  }
  TDecorate* added = Append(style);
  added->RefCount = 1;
  return added;
}

TDecorateList::Index::iterator TDecorateList::Find(TDecorate* record) {
  auto [from, to] = index_.equal_range(StyleHash(*record));
  for (auto it = from; it != to; ++it)
    if (it->second.record == record) return it;
  return index_.end();
}

void TDecorateList::Release(TDecorate* record) {
  if (!record || --record->RefCount > 0) return;
  auto entry = Find(record);
  if (entry == index_.end()) return;  // not one of this list's records
  index_.erase(entry);
  auto it = std::find_if(records_.begin(), records_.end(), [&](const auto& r) { return r.get() == record; });
  records_.erase(it);
}

TDecorate* TDecorateList::Change(TDecorate* record, const TDecorate& style) {
  auto entry = record ? Find(record) : index_.end();
  if (entry != index_.end() && record->RefCount == 1) {
    uint64_t serial = entry->second.serial;
    index_.erase(entry);
    *record = style;
    record->RefCount = 1;
    index_.emplace(StyleHash(*record), Entry{serial, record});
    return record;
  }
  Release(record);
  return Intern(style);
}

TDecorate* TDecorateList::Append(const TDecorate& record) {
  records_.push_back(std::make_unique<TDecorate>(record));
  index_.emplace(StyleHash(record), Entry{next_serial_++, records_.back().get()});
  return records_.back().get();
}

void TDecorateList::Clear() {
  records_.clear();
  index_.clear();
}

}  // namespace rivo
