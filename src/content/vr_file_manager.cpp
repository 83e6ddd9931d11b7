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

// The loose file name denotes in folder (none for no folder).
std::optional<fs::path> FileIn(TContentPathResolver& resolver, const fs::path& folder, std::string_view name) {
  if (folder.empty()) return std::nullopt;
  auto path = resolver.Resolve(folder, name);
  return IsFile(path) ? path : std::nullopt;
}

void LoadFile(TStream& dest, const fs::path& path) {
  TFileStream file(path, FileOpen::kRead);
  CopyStream(dest, file, file.GetSize());
}

}  // namespace

TVrFileManager::TVrFileManager(fs::path temp_folder, fs::path mount_table)
    : disc_roots_(std::move(mount_table)), locks_(std::move(temp_folder)), published_(std::make_shared<Layout>()) {}

TVrFileManager::~TVrFileManager() {
  sources_.clear();
  published_.reset();
  locks_.Clear();
}

int TVrFileManager::Append(std::unique_ptr<TVrFileCollection> source) {
  ++layout_;
  sources_.push_back(std::move(source));
  Publish();
  return static_cast<int>(sources_.size()) - 1;
}

void TVrFileManager::Publish() {
  auto layout = std::make_shared<Layout>();
  layout->number = layout_;
  layout->base_folder = base_folder_;
  layout->disc_roots = disc_roots_.Roots();
  layout->sources = sources_;
  std::shared_ptr<const Layout> old = std::move(layout);  // freed outside published_lock_
  std::lock_guard hold(published_lock_);
  published_.swap(old);
}

void TVrFileManager::AddDiscRoot(fs::path folder) {
  std::lock_guard hold(lock_);
  disc_roots_.AddRoot(std::move(folder));
  Publish();
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
  Publish();
}

void TVrFileManager::SetBaseFolder(const fs::path& folder) {
  std::lock_guard hold(lock_);
  base_folder_ = folder;
  Publish();
}

std::optional<fs::path> TVrFileManager::BaseFile(std::string_view name) {
  return FileIn(resolver_, base_folder_, name);
}

std::optional<fs::path> TVrFileManager::DiscFile(std::string_view name) {
  for (const fs::path& root : disc_roots_.Roots())
    if (auto path = FileIn(resolver_, root, name)) return path;
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
    Publish();
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
  Publish();
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

std::optional<TVrFileManager::Place> TVrFileManager::Locate(const Layout& layout, TContentPathResolver& resolver,
                                                            std::string_view name, bool skip_memory) {
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
  // As BaseFile and DiscFile find them, in this layout.
  if (auto path = FileIn(resolver, layout.base_folder, name)) return loose(*path);
  for (std::size_t i = 0; i < layout.sources.size(); ++i) {
    TVrFileCollection& source = *layout.sources[i];
    if (skip_memory && !source.HasArchive()) continue;
    const TVrFile* entry = source.Find(name);
    if (!entry || (!entry->Data && !source.HasArchive())) continue;
    if (entry->Data) return std::nullopt;
    // Archives do not change while mounted; a mount or unmount may put
    // another archive at this place in the list.
    Place place;
    place.origin = "a" + std::to_string(layout.number) + ":" + std::to_string(i) + ":" +
                   std::to_string(entry->Offset) + ":" + std::to_string(entry->Size);
    place.source = &source;
    place.entry = entry;
    return place;
  }
  for (const fs::path& root : layout.disc_roots)
    if (auto path = FileIn(resolver, root, name)) return loose(*path);
  return std::nullopt;
}

std::optional<std::string> TVrFileManager::Origin(std::string_view name) {
  std::lock_guard hold(lock_);
  // The player's own published layout: the player alone changes it.
  std::optional<Place> place = Locate(*published_, resolver_, name, false);
  if (!place) return std::nullopt;
  return std::move(place->origin);
}

std::optional<TVrFileManager::FileWithOrigin> TVrFileManager::ReadWithOrigin(std::string_view name) {
  std::shared_ptr<const Layout> layout;
  {
    std::lock_guard hold(published_lock_);
    layout = published_;
  }
  std::optional<Place> place;
  {
    std::lock_guard hold(reader_lock_);
    place = Locate(*layout, reader_resolver_, name, true);
  }
  if (!place) return std::nullopt;
  TQnMemoryStream bytes;
  if (!place->source) {
    LoadFile(bytes, place->path);
  } else if (std::optional<TVrFileCollection::DetachedEntry> entry = place->source->Detach(*place->entry)) {
    TVrFileCollection::ReadDetached(bytes, *entry);
  } else {
    // An archive held only in memory has no handle of its own to read through.
    std::lock_guard hold(lock_);
    place->source->ReadArchiveEntry(bytes, *place->entry);
  }
  return FileWithOrigin{bytes.ToString(), std::move(place->origin)};
}

}  // namespace rivo
