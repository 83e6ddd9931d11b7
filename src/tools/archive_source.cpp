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

}  // namespace rivo::tools
