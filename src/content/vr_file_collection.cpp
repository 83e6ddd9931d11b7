#include "content/vr_file_collection.h"

#include <cstring>
#include <system_error>

#include "common/encoding.h"
#include "common/error.h"
#include "common/sjis.h"
#include "content/archive_location.h"
#include "content/big_file_stream.h"
#include "content/big_memory_stream.h"
#include "content/big_resource_stream.h"
#include "content/file_stream.h"
#include "content/memory_stream.h"
#include "content/pe_resource.h"
#include "content/stream_routines.h"

namespace rivo {

namespace fs = std::filesystem;

void TVrFileCollection::Reset() {
  Clear();
  archive_stream_.reset();
  folder_.clear();
  resource_ = false;
  reopenable_ = false;
  res_type_.clear();
  res_name_.clear();
  version_ = 0;
}

std::string TVrFileCollection::DisplayName() const { return Utf8ToCp932(archive_path_.string()); }

void TVrFileCollection::Open(const fs::path& path) {
  Reset();
  archive_path_ = path;
  if (path.empty()) return;
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) {
    folder_ = path;
    return;
  }
  folder_ = path.parent_path();
  try {
    archive_stream_ = std::make_unique<TQnBigFileStream>(path, TQnBigFileStream::kRead | TQnBigFileStream::kDenyWrite);
    reopenable_ = true;
    int64_t size = archive_stream_->GetSize();
    if (IsExecutableName(path)) {
      archive_stream_->SetPosition(AppendedArchiveStart(*archive_stream_, DisplayName()));
      ReadDirectoryFrom(*archive_stream_, size);
    } else if (fs::path side = SideFilePath(path); fs::is_regular_file(side, ec)) {
      TQnBigMemoryStream tables;
      tables.LoadFromFile(side);
      ReadDirectoryFrom(tables, size);
    } else {
      archive_stream_->SetPosition(0);
      ReadDirectoryFrom(*archive_stream_, size);
    }
  } catch (...) {
    Reset();
    throw;
  }
}

void TVrFileCollection::OpenResource(const fs::path& module_path, std::string_view res_type,
                                     std::string_view res_name) {
  Reset();
  archive_path_ = module_path;
  {
    std::error_code ec;
    if (!fs::is_regular_file(module_path, ec)) return;
    TQnBigFileStream probe(module_path, TQnBigFileStream::kRead);
    if (!IsPeImage(probe)) return;
  }
  try {
    archive_stream_ = std::make_unique<TQnBigResourceStream>(module_path, res_name, res_type);
    resource_ = true;
    reopenable_ = true;
    res_type_ = res_type;
    res_name_ = res_name;
    archive_stream_->SetPosition(0);
    ReadDirectoryFrom(*archive_stream_, archive_stream_->GetSize());
  } catch (...) {
    Reset();
    throw;
  }
}

void TVrFileCollection::OpenStream(std::unique_ptr<TQnBigStream> stream, const fs::path& name) {
  Reset();
  archive_path_ = name;
  archive_stream_ = std::move(stream);
  try {
    archive_stream_->SetPosition(0);
    ReadDirectoryFrom(*archive_stream_, archive_stream_->GetSize());
  } catch (...) {
    Reset();
    throw;
  }
}

void TVrFileCollection::ReadDirectory(TQnBigStream& stream) { ReadDirectoryFrom(stream, stream.GetSize()); }

std::optional<fs::path> TVrFileCollection::LooseFile(std::string_view name) {
  if (folder_.empty()) return std::nullopt;
  auto path = resolver_.Resolve(folder_, name);
  std::error_code ec;
  if (!path || !fs::is_regular_file(*path, ec)) return std::nullopt;
  if (!archive_path_.empty() && fs::equivalent(*path, archive_path_, ec)) return std::nullopt;
  return path;
}

void TVrFileCollection::ReadEntry(TStream& dest, std::string_view name) {
  if (auto* memory = dynamic_cast<TQnMemoryStream*>(&dest)) memory->Clear();
  if (auto loose = LooseFile(name)) {
    TFileStream file(*loose, FileOpen::kRead);
    CopyStream(dest, file, file.GetSize());
  } else if (const TVrFile* entry = Find(name); entry && (entry->Data || archive_stream_)) {
    ReadArchiveEntry(dest, *entry);
  } else {
    throw RivoError("%s:ファイルがありません", name);
  }
  dest.SetPosition(0);
}

std::string TVrFileCollection::EntryName(const TVrFile& entry) const { return DisplayName() + ":" + entry.Name(); }

namespace {

[[noreturn]] void FailNamedEntry(std::string_view archive_name, std::string_view entry_name, const std::string& what) {
  throw LoadError(std::string(archive_name), "entry " + Cp932ToUtf8(entry_name) + ": " + what);
}

// Every failure to seek reads the same.
void SeekTo(TQnBigStream& archive, int64_t offset, std::string_view archive_name, std::string_view entry_name) {
  archive.SetPosition(offset);
  if (archive.GetPosition() != offset) FailNamedEntry(archive_name, entry_name, "lies beyond the end of the archive");
}

}  // namespace

void TVrFileCollection::FailEntry(const TVrFile& entry, const std::string& what) const {
  FailNamedEntry(DisplayName(), entry.Name(), what);
}

void TVrFileCollection::SeekEntry(const TVrFile& entry) {
  SeekTo(*archive_stream_, entry.Offset, DisplayName(), entry.Name());
}

bool TVrFileCollection::PlainlyStored(const TVrFile& entry) const {
  // No zlib stream shrinks content by more than about 1000 to 1, so an
  // entry larger than the inflate limit is no sound compressed entry; in an
  // archive without flags it can only be raw.
  return entry.Stored || (FlaglessArchive() && entry.Size > inflate_limit_);
}

std::string TVrFileCollection::ReadStoredBytes(const TVrFile& entry) {
  if (entry.Size <= 0 || !archive_stream_) return {};
  if (!PlainlyStored(entry) && entry.Size > inflate_limit_) FailEntry(entry, "compressed entry too large");
  SeekEntry(entry);
  std::string bytes(static_cast<std::size_t>(entry.Size), '\0');
  if (archive_stream_->Read(bytes.data(), entry.Size) != entry.Size) FailEntry(entry, "truncated");
  return bytes;
}

bool TVrFileCollection::ReadsAsStored(const TVrFile& entry) {
  if (entry.Data || PlainlyStored(entry)) return true;
  if (!FlaglessArchive()) return false;
  TQnMemoryStream scratch;
  return !InflateIfZlib(scratch, ReadStoredBytes(entry), EntryName(entry), inflate_limit_);
}

TVrFileCollection::DetachedEntry TVrFileCollection::Describe(const TVrFile& entry) const {
  DetachedEntry described;
  described.archive_path = archive_path_;
  described.resource = resource_;
  described.res_type = res_type_;
  described.res_name = res_name_;
  described.offset = entry.Offset;
  described.size = entry.Size;
  described.plain = PlainlyStored(entry);
  described.flagless = FlaglessArchive();
  described.inflate_limit = inflate_limit_;
  described.archive_name = DisplayName();
  described.entry_name = entry.Name();
  return described;
}

std::optional<TVrFileCollection::DetachedEntry> TVrFileCollection::Detach(const TVrFile& entry) const {
  if (entry.Data || !archive_stream_ || !reopenable_) return std::nullopt;
  return Describe(entry);
}

void TVrFileCollection::ReadDescribed(TQnBigStream& archive, TStream& dest, const DetachedEntry& entry) {
  const auto fail = [&](const std::string& what) { FailNamedEntry(entry.archive_name, entry.entry_name, what); };
  if (entry.plain) {
    SeekTo(archive, entry.offset, entry.archive_name, entry.entry_name);
    if (archive.CopyTo(dest, entry.size) != entry.size) fail("truncated");
    return;
  }
  if (entry.size > entry.inflate_limit) fail("compressed entry too large");
  SeekTo(archive, entry.offset, entry.archive_name, entry.entry_name);
  std::string bytes(static_cast<std::size_t>(entry.size), '\0');
  if (archive.Read(bytes.data(), entry.size) != entry.size) fail("truncated");
  const std::string name = entry.archive_name + ":" + entry.entry_name;  // how inflate errors name an entry
  auto* memory = dynamic_cast<TQnMemoryStream*>(&dest);
  TQnMemoryStream inflated;
  TQnMemoryStream& target = memory ? *memory : inflated;
  if (!entry.flagless) {
    InflateInto(target, bytes, name, entry.inflate_limit);
  } else if (!InflateIfZlib(target, bytes, name, entry.inflate_limit)) {
    // Archives without flags were written by tools that could leave an
    // entry raw; bytes that are no complete zlib stream are the content.
    dest.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    return;
  }
  if (!memory) dest.WriteBuffer(inflated.Data(), inflated.GetSize());
}

void TVrFileCollection::ReadArchiveEntry(TStream& dest, const TVrFile& entry) {
  if (entry.Data) {
    dest.WriteBuffer(entry.Data->Data(), entry.Data->GetSize());
    return;
  }
  // An empty entry is empty, whatever the stream conventions say about a count of 0.
  if (entry.Size <= 0 || !archive_stream_) return;
  ReadDescribed(*archive_stream_, dest, Describe(entry));
}

void TVrFileCollection::ReadDetached(TStream& dest, const DetachedEntry& entry) {
  if (entry.size <= 0) return;
  std::unique_ptr<TQnBigStream> archive;
  if (entry.resource)
    archive = std::make_unique<TQnBigResourceStream>(entry.archive_path, entry.res_name, entry.res_type);
  else
    archive = std::make_unique<TQnBigFileStream>(entry.archive_path,
                                                 TQnBigFileStream::kRead | TQnBigFileStream::kDenyWrite);
  ReadDescribed(*archive, dest, entry);
}

TVrFile& TVrFileCollection::AddEntry(std::string name) { return Add(std::make_unique<TVrFile>(), std::move(name)); }

TVrFile& TVrFileCollection::AddMemoryEntry(std::string name) {
  TVrFile& entry = AddEntry(std::move(name));
  entry.Data = std::make_unique<TQnMemoryStream>();
  return entry;
}

void TVrFileCollection::DeleteEntry(std::string_view name) {
  int32_t index = IndexOf(name);
  if (index >= 0) Delete(index);
}

std::unique_ptr<TRangeStream> TVrFileCollection::OpenRange(std::string_view name) {
  if (!archive_stream_) return nullptr;
  const TVrFile* entry = Find(name);
  if (!entry || entry->Data) return nullptr;
  if (resource_)
    return std::make_unique<TResourceRangeStream>(archive_path_, res_type_, res_name_, entry->Offset, entry->Size);
  return std::make_unique<TFileRangeStream>(archive_path_, entry->Offset, entry->Size);
}

}  // namespace rivo
