#include "scenario/save_file.h"

#include <charconv>
#include <system_error>

#include "common/error.h"
#include "content/big_memory_stream.h"
#include "content/file_stream.h"
#include "content/memory_stream.h"
#include "content/replace_file.h"

namespace rivo {

namespace fs = std::filesystem;

SaveFile::State SaveFile::Open() {
  archive_ = TVrFileCollection();
  problem_.clear();
  std::error_code error;
  if (!fs::is_regular_file(path_, error)) {
    state_ = fs::exists(path_, error) ? State::kDamaged : State::kAbsent;
    if (state_ == State::kDamaged) problem_ = path_.string() + " is not a file";
    return state_;
  }
  try {
    archive_.OpenStream(std::make_unique<TQnBigMemoryStream>(ReadWholeFile(path_)), path_);
    state_ = State::kReadable;
  } catch (const std::exception& e) {
    archive_ = TVrFileCollection();
    problem_ = e.what();
    state_ = State::kDamaged;
  }
  return state_;
}

std::vector<std::string> SaveFile::EntryNames() const {
  std::vector<std::string> names;
  for (int32_t i = 0; i < archive_.Count(); ++i)
    if (archive_[i].Name() != TVrFileCollection::kSentinelName) names.push_back(archive_[i].Name());
  return names;
}

std::optional<std::string> SaveFile::Entry(std::string_view name) {
  const TVrFile* entry = archive_.Find(name);
  if (!entry || name == TVrFileCollection::kSentinelName) return std::nullopt;
  TQnMemoryStream content;
  archive_.ReadArchiveEntry(content, *entry);
  return content.ToString();
}

void SaveFile::Put(std::string_view name, std::string_view content) { Put({{name, content}}); }

void SaveFile::Put(std::initializer_list<Change> changes) {
  // Another player may have written the file since it was opened: start
  // from what is on the disk now.
  if (Open() == State::kDamaged) throw RivoError(path_.string() + " cannot be read (" + problem_ + ")");
  for (const auto& [name, content] : changes) {
    archive_.DeleteEntry(name);
    TVrFile& entry = archive_.AddMemoryEntry(std::string(name));
    entry.Data->Write(content.data(), static_cast<int64_t>(content.size()));
  }
  TQnBigMemoryStream whole;
  if (!archive_.WriteArchive(whole)) throw RivoError("cannot build " + path_.string());
  std::string bytes(static_cast<std::size_t>(whole.GetSize()), '\0');
  whole.SetPosition(0);
  whole.Read(bytes.data(), whole.GetSize());
  // The user's data folder may not exist before the first save.
  std::error_code error;
  if (path_.has_parent_path()) fs::create_directories(path_.parent_path(), error);
  try {
    ReplaceFile(path_, bytes);
  } catch (...) {
    Open();  // what is read afterwards is what the disk holds
    throw;
  }
  Open();
}

std::optional<int32_t> SaveFile::SlotOf(std::string_view name) {
  if (!name.starts_with(kGameEntryPrefix)) return std::nullopt;
  std::string_view digits = name.substr(kGameEntryPrefix.size());
  int32_t slot = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), slot);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || slot < 0) return std::nullopt;
  return slot;
}

}  // namespace rivo
