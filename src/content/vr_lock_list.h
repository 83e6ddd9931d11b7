#pragma once
// Temporary copies of archive entries, for code that can only open a file by
// its path (media playback). A copy is named "~rv" + its id as 8 upper-case
// hex digits + the entry's extension, in the player's private per-process
// temporary folder, and is created anew (never through a file or link that
// is already there). Copies live as long as the manager; then their files
// are deleted.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "content/stream.h"

namespace rivo {

struct TVrLockData {
  std::string SourceName;  // the entry it was made from, compared case-sensitively
  int32_t Id = 0;
  int32_t RefCount = 1;
  std::filesystem::path TempName;
};

class TVrLockList {
 public:
  explicit TVrLockList(std::filesystem::path temp_folder) : temp_folder_(std::move(temp_folder)) {}
  ~TVrLockList();
  TVrLockList(const TVrLockList&) = delete;
  TVrLockList& operator=(const TVrLockList&) = delete;

  // The existing copy of that entry (its RefCount raised), or null.
  TVrLockData* Reuse(std::string_view source_name);
  // A new copy: the file created for it is handed to fill, which writes the
  // entry's content. Raises
  // "作業用ファイルが作れません" when no file can be created; when fill
  // throws, the file is removed and the error passed on.
  TVrLockData& Create(std::string_view source_name, const std::function<void(TStream&)>& fill);

  // Files of copies that were freed, waiting to be deleted.
  void DeleteQueuedFiles();
  // Frees every copy and deletes its file.
  void Clear();

  const std::filesystem::path& temp_folder() const { return temp_folder_; }
  std::size_t Count() const { return locks_.size(); }

 private:
  bool IdInUse(int32_t id) const;

  std::filesystem::path temp_folder_;
  std::vector<std::unique_ptr<TVrLockData>> locks_;
  int32_t next_id_ = 0;
  std::vector<std::filesystem::path> to_delete_;
};

}  // namespace rivo
