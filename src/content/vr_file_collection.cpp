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

void TVrFileCollection::FailEntry(const TVrFile& entry, const std::string& what) const {
  throw LoadError(DisplayName(), "entry " + Cp932ToUtf8(entry.Name()) + ": " + what);
}

void TVrFileCollection::SeekEntry(const TVrFile& entry) {
  archive_stream_->SetPosition(entry.Offset);
  if (archive_stream_->GetPosition() != entry.Offset) FailEntry(entry, "lies beyond the end of the archive");
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

void TVrFileCollection::ReadArchiveEntry(TStream& dest, const TVrFile& entry) {
  if (entry.Data) {
    dest.WriteBuffer(entry.Data->Data(), entry.Data->GetSize());
    return;
  }
  // An empty entry is empty, whatever the stream conventions say about a count of 0.
  if (entry.Size <= 0 || !archive_stream_) return;
  if (PlainlyStored(entry)) {
    SeekEntry(entry);
    if (archive_stream_->CopyTo(dest, entry.Size) != entry.Size) FailEntry(entry, "truncated");
    return;
  }
  const std::string bytes = ReadStoredBytes(entry);
  auto* memory = dynamic_cast<TQnMemoryStream*>(&dest);
  TQnMemoryStream inflated;
  TQnMemoryStream& target = memory ? *memory : inflated;
  if (!FlaglessArchive()) {
    InflateInto(target, bytes, EntryName(entry), inflate_limit_);
  } else if (!InflateIfZlib(target, bytes, EntryName(entry), inflate_limit_)) {
    // Archives without flags were written by tools that could leave an
    // entry raw; bytes that are no complete zlib stream are the content.
    dest.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    return;
  }
  if (!memory) dest.WriteBuffer(inflated.Data(), inflated.GetSize());
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
