#include "content/vr_lock_list.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "common/error.h"
#include "common/sjis.h"
#include "content/content_path_resolver.h"
#include "content/file_stream.h"

namespace rivo {

namespace fs = std::filesystem;

namespace {

// Tries this many ids before giving up when files are in the way.
constexpr int kCreateAttempts = 64;

// The entry's extension for the copy's name, so that players that judge a
// file by its extension see the right one; nothing that could name a folder.
std::string CopyExtension(std::string_view source_name) {
  std::string_view ext = sjis::ExtractFileExt(source_name);
  if (ext.find('/') != std::string_view::npos) return {};
  return TContentPathResolver::HostName(ext);
}

fs::path CopyPath(const fs::path& folder, int32_t id, std::string_view source_name) {
  char name[16];
  std::snprintf(name, sizeof name, "~rv%.8X", static_cast<uint32_t>(id));
  return folder / (name + CopyExtension(source_name));
}

}  // namespace

TVrLockList::~TVrLockList() { Clear(); }

TVrLockData* TVrLockList::Reuse(std::string_view source_name) {
  for (auto& lock : locks_)
    if (lock->SourceName == source_name) {
      ++lock->RefCount;
      return lock.get();
    }
  return nullptr;
}

bool TVrLockList::IdInUse(int32_t id) const {
  for (const auto& lock : locks_)
    if (lock->Id == id) return true;
  return false;
}

TVrLockData& TVrLockList::Create(std::string_view source_name, const std::function<void(TStream&)>& fill) {
  for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
    int32_t id = next_id_;
    do next_id_ = static_cast<int32_t>(static_cast<uint32_t>(next_id_) + 1);
    while (IdInUse(next_id_));
    fs::path path = CopyPath(temp_folder_, id, source_name);
    std::unique_ptr<TFileStream> file;
    try {
      file = std::make_unique<TFileStream>(path, FileOpen::kCreateNew);
    } catch (const RivoError&) {
      // Something is in the way under this id (left over or planted): never
      // write through it, take the next id.
      continue;
    }
    try {
      fill(*file);
    } catch (...) {
      file.reset();
      std::error_code ec;
      fs::remove(path, ec);
      throw;
    }
    auto lock = std::make_unique<TVrLockData>();
    lock->SourceName = std::string(source_name);
    lock->Id = id;
    lock->TempName = path;
    locks_.push_back(std::move(lock));
    return *locks_.back();
  }
  throw RivoError("作業用ファイルが作れません");
}

void TVrLockList::DeleteQueuedFiles() {
  for (const fs::path& path : to_delete_) {
    std::error_code ec;
    fs::remove(path, ec);
  }
  to_delete_.clear();
}

void TVrLockList::Clear() {
  for (const auto& lock : locks_) to_delete_.push_back(lock->TempName);
  locks_.clear();
  DeleteQueuedFiles();
}

}  // namespace rivo
