#include "content/vr_file_manager.h"

#include <system_error>

#include "common/error.h"
#include "common/sjis.h"
#include "content/file_stream.h"
#include "content/install_set.h"
#include "content/memory_stream.h"
#include "content/stream_routines.h"

namespace rivo {

namespace fs = std::filesystem;

namespace {

bool IsFile(const std::optional<fs::path>& p) {
  std::error_code ec;
  return p && fs::is_regular_file(*p, ec);
}

void LoadFile(TStream& dest, const fs::path& path) {
  TFileStream file(path, FileOpen::kRead);
  CopyStream(dest, file, file.GetSize());
}

}  // namespace

TVrFileManager::TVrFileManager(fs::path temp_folder, fs::path mount_table)
    : disc_roots_(std::move(mount_table)), locks_(std::move(temp_folder)) {}

TVrFileManager::~TVrFileManager() {
  sources_.clear();
  locks_.Clear();
}

int TVrFileManager::Append(std::unique_ptr<TVrFileCollection> source) {
  ++layout_;
  sources_.push_back(std::move(source));
  return static_cast<int>(sources_.size()) - 1;
}

int TVrFileManager::MountArchive(const fs::path& path) {
  std::lock_guard hold(lock_);
  if (!path.empty()) {
    fs::path wanted = path.lexically_normal();
    for (const auto& source : sources_)
      if (!source->Folder().empty() && source->Folder().lexically_normal() == wanted) return -1;
  }
  auto source = std::make_unique<TVrFileCollection>();
  source->Open(path);
  return Append(std::move(source));
}

int TVrFileManager::MountResource(const fs::path& module_path, std::string_view res_name, std::string_view res_type) {
  std::lock_guard hold(lock_);
  auto source = std::make_unique<TVrFileCollection>();
  source->OpenResource(module_path, res_type, res_name);
  return Append(std::move(source));
}

void TVrFileManager::Unmount(int index) {
  std::lock_guard hold(lock_);
  if (index < 0 || index >= SourceCount()) return;
  sources_.erase(sources_.begin() + index);
  ++layout_;
}

void TVrFileManager::SetBaseFolder(const fs::path& folder) {
  std::lock_guard hold(lock_);
  base_folder_ = folder;
}

std::optional<fs::path> TVrFileManager::BaseFile(std::string_view name) {
  if (base_folder_.empty()) return std::nullopt;
  auto path = resolver_.Resolve(base_folder_, name);
  return IsFile(path) ? path : std::nullopt;
}

std::optional<fs::path> TVrFileManager::DiscFile(std::string_view name) {
  for (const fs::path& root : disc_roots_.Roots()) {
    auto path = resolver_.Resolve(root, name);
    if (IsFile(path)) return path;
  }
  return std::nullopt;
}

TVrFile* TVrFileManager::FindEntry(std::string_view name) {
  std::lock_guard hold(lock_);
  for (const auto& source : sources_)
    if (TVrFile* entry = source->Find(name)) return entry;
  return nullptr;
}

bool TVrFileManager::Exists(std::string_view name) {
  std::lock_guard hold(lock_);
  if (name.empty()) return false;
  return FindEntry(name) || BaseFile(name) || DiscFile(name);
}

void TVrFileManager::LoadToStream(TStream& dest, std::string_view name) {
  std::lock_guard hold(lock_);
  if (auto* memory = dynamic_cast<TQnMemoryStream*>(&dest)) memory->Clear();
  bool found = false;
  if (auto path = BaseFile(name)) {
    LoadFile(dest, *path);
    found = true;
  } else {
    for (const auto& source : sources_) {
      const TVrFile* entry = source->Find(name);
      // A name without data (neither a memory entry nor in an open archive) is passed over.
      if (!entry || (!entry->Data && !source->HasArchive())) continue;
      source->ReadArchiveEntry(dest, *entry);
      found = true;
      break;
    }
  }
  if (!found) {
    auto path = DiscFile(name);
    if (!path) throw RivoError("%s:ファイルがありません", name);
    LoadFile(dest, *path);
  }
  dest.SetPosition(0);
}

std::unique_ptr<TRangeStream> TVrFileManager::OpenRange(std::string_view name) {
  std::lock_guard hold(lock_);
  if (auto path = BaseFile(name)) return std::make_unique<TFileRangeStream>(*path, 0, std::nullopt);
  for (const auto& source : sources_)
    if (auto range = source->OpenRange(name)) return range;
  if (auto path = DiscFile(name)) return std::make_unique<TFileRangeStream>(*path, 0, std::nullopt);
  throw RivoError("%s:ファイルがありません", name);
}

fs::path TVrFileManager::GetFilePath(std::string_view name) {
  std::lock_guard hold(lock_);
  if (auto path = BaseFile(name)) return *path;
  for (const auto& source : sources_) {
    if (source->IndexOf(name) < 0) continue;
    if (TVrLockData* lock = locks_.Reuse(name)) return lock->TempName;
    return locks_.Create(name, [&](TStream& file) { LoadToStream(file, name); }).TempName;
  }
  if (auto path = DiscFile(name)) return *path;
  // Not the name itself, as once: a content name taken as a host path would
  // be looked up wherever the player happens to run.
  return {};
}

std::string TVrFileManager::ExtractFolder(std::string_view name) {
  bool absolute = name.substr(0, 2) == "\\\\" || (name.size() >= 2 && name[1] == ':');
  std::size_t at = sjis::LastDelimiter(absolute ? "\\:" : "\\", name);
  if (at == sjis::npos) return {};
  std::string folder(name.substr(0, at + 1));
  if (folder.back() != '\\') folder += '\\';
  return folder;
}

bool TVrFileManager::RequestDisk(int disk_no) {
  {
    // Not held while the prompt waits for the user.
    std::lock_guard hold(lock_);
    disc_roots_.Rescan();
    for (int i = SourceCount() - 1; i >= 0; --i)
      if (disc_roots_.Holds(sources_[static_cast<std::size_t>(i)]->Folder())) Unmount(i);
  }
  if (!prompt_) return false;
  for (;;) {
    if (prompt_->AskForDisc(disk_no)) {
      if (MountDisk(disk_no - 1)) return true;
    } else if (prompt_->ConfirmExit()) {
      prompt_->RequestClose();
      return false;
    }
  }
}

bool TVrFileManager::MountDisk(int disk_index) {
  std::lock_guard hold(lock_);
  // A disc inserted since the last look must be found: read the mount table anew.
  disc_roots_.Rescan();
  bool mounted = false;
  for (const fs::path& root : disc_roots_.Roots()) {
    auto archive = resolver_.Resolve(root, "game.dat");
    auto install = resolver_.Resolve(root, "install.dat");
    if (!IsFile(archive) || !IsFile(install)) continue;
    TRivoInstallSet set;
    try {
      set.LoadFromFile(*install);
    } catch (const RivoError&) {
      continue;  // not this game's disc, or a damaged one: look at the others
    }
    if (set.Title != project_title_ || set.DiskIndex != disk_index) continue;
    try {
      MountArchive(*archive);
      mounted = true;
    } catch (const RivoError&) {
      // A damaged archive on this disc; another root may hold a sound copy.
    }
  }
  return mounted;
}

void TVrFileManager::Tick() { locks_.DeleteQueuedFiles(); }

std::optional<TVrFileManager::Place> TVrFileManager::Locate(std::string_view name, bool skip_memory) {
  if (name.empty()) return std::nullopt;
  // A loose file is told by its path, size and time of change: a game that
  // writes the file anew changes at least the time.
  const auto loose = [](const fs::path& path) -> std::optional<Place> {
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec) return std::nullopt;
    const auto time = fs::last_write_time(path, ec);
    if (ec) return std::nullopt;
    Place place;
    place.origin = "f" + std::to_string(size) + ":" + std::to_string(time.time_since_epoch().count()) + ":" +
                   path.string();
    place.path = path;
    return place;
  };
  if (auto path = BaseFile(name)) return loose(*path);
  for (std::size_t i = 0; i < sources_.size(); ++i) {
    TVrFileCollection& source = *sources_[i];
    if (skip_memory && !source.HasArchive()) continue;
    const TVrFile* entry = source.Find(name);
    if (!entry || (!entry->Data && !source.HasArchive())) continue;
    if (entry->Data) return std::nullopt;
    // Archives do not change while mounted; a mount or unmount may put
    // another archive at this place in the list.
    Place place;
    place.origin = "a" + std::to_string(layout_) + ":" + std::to_string(i) + ":" + std::to_string(entry->Offset) +
                   ":" + std::to_string(entry->Size);
    place.source = &source;
    place.entry = entry;
    return place;
  }
  if (auto path = DiscFile(name)) return loose(*path);
  return std::nullopt;
}

std::optional<std::string> TVrFileManager::Origin(std::string_view name) {
  std::lock_guard hold(lock_);
  std::optional<Place> place = Locate(name, false);
  if (!place) return std::nullopt;
  return std::move(place->origin);
}

std::optional<TVrFileManager::FileWithOrigin> TVrFileManager::ReadWithOrigin(std::string_view name) {
  // The lock covers only finding the file: reading and inflating it go
  // through handles of their own, so that the player thread never waits for
  // them (this thread may run at background rank, and be preempted while
  // it holds the lock).
  TQnMemoryStream bytes;
  std::optional<Place> place;
  std::optional<TVrFileCollection::DetachedEntry> entry;
  {
    std::lock_guard hold(lock_);
    place = Locate(name, true);
    if (!place) return std::nullopt;
    if (place->source) {
      entry = place->source->Detach(*place->entry);
      // An archive held only in memory has no handle of its own to read through.
      if (!entry) place->source->ReadArchiveEntry(bytes, *place->entry);
    }
  }
  if (entry) TVrFileCollection::ReadDetached(bytes, *entry);
  else if (!place->source) LoadFile(bytes, place->path);
  return FileWithOrigin{bytes.ToString(), std::move(place->origin)};
}

}  // namespace rivo
