#pragma once
// TFolderDiskList: which disc holds which content folder (from the project
// file). A name needs the disc of the longest listed folder it lies in.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/byte_reader.h"
#include "common/byte_writer.h"

namespace rivo {

class TFolderDiskList {
 public:
  void Add(std::string folder, int32_t disk_no);
  // The disc number of the longest listed folder that holds name (folders
  // compared ignoring case), or 0: no particular disc.
  int32_t DiskOf(std::string_view name) const;
  void Clear() { items_.clear(); }
  std::size_t Count() const { return items_.size(); }

  // Stored as int32 count, then per folder its int32-length bytes and its
  // int32 disc number.
  void Read(ByteReader& r);
  void Write(ByteWriter& w) const;

 private:
  std::vector<std::pair<std::string, int32_t>> items_;
};

}  // namespace rivo
