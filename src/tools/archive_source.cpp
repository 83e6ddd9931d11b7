#include "tools/archive_source.h"

#include "common/encoding.h"
#include "common/error.h"
#include "content/archive_location.h"

namespace rivo::tools {

void OpenArchiveSource(TVrFileCollection& archive, const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) throw RivoError(path.string() + ": no such archive file");
  if (IsExecutableName(path) && !HasAppendedArchive(path)) {
    archive.OpenResource(path, kArchiveResourceType, kArchiveResourceName);
    if (!archive.HasArchive()) throw RivoError(path.string() + ": holds no archive");
    return;
  }
  archive.Open(path);
}

std::vector<const TVrFile*> ArchiveEntries(const TVrFileCollection& archive) {
  std::vector<const TVrFile*> entries;
  for (const auto& entry : archive)
    if (entry->Name() != TVrFileCollection::kSentinelName || entry->Index() != archive.Count() - 1)
      entries.push_back(entry.get());
  return entries;
}

std::string StoredBytes(TVrFileCollection& archive, const TVrFile& entry) {
  std::string bytes(static_cast<std::size_t>(entry.Size), '\0');
  TQnBigStream& stream = *archive.ArchiveStream();
  stream.SetPosition(entry.Offset);
  if (stream.GetPosition() != entry.Offset || stream.Read(bytes.data(), entry.Size) != entry.Size)
    throw RivoError("entry " + Cp932ToUtf8(entry.Name()) + ": truncated");
  return bytes;
}

}  // namespace rivo::tools
