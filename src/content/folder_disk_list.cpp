#include "content/folder_disk_list.h"

#include "common/sjis.h"

namespace rivo {

namespace {
std::string WithTrailingSeparator(std::string_view folder) {
  std::string out(folder);
  if (out.empty() || sjis::LastDelimiter("\\", out) != out.size() - 1) out += '\\';
  return out;
}
}  // namespace

void TFolderDiskList::Add(std::string folder, int32_t disk_no) { items_.emplace_back(std::move(folder), disk_no); }

int32_t TFolderDiskList::DiskOf(std::string_view name) const {
  std::string rest = sjis::UpperCase(name);
  while (!rest.empty()) {
    std::string wanted = WithTrailingSeparator(rest);
    for (const auto& [folder, disk] : items_)
      if (sjis::SameText(WithTrailingSeparator(folder), wanted)) return disk;
    std::size_t cut = sjis::LastDelimiter("\\", rest);
    rest.resize(cut == sjis::npos ? 0 : cut);
  }
  return 0;
}

void TFolderDiskList::Read(ByteReader& r) {
  std::size_t count = r.Count(r.I32(), 8);
  std::vector<std::pair<std::string, int32_t>> items;
  for (std::size_t i = 0; i < count; ++i) {
    std::string folder = r.String();
    items.emplace_back(std::move(folder), r.I32());
  }
  items_ = std::move(items);
}

void TFolderDiskList::Write(ByteWriter& w) const {
  w.I32(static_cast<int32_t>(items_.size()));
  for (const auto& [folder, disk] : items_) {
    w.String(folder);
    w.I32(disk);
  }
}

}  // namespace rivo
