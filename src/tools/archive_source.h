#pragma once
// Opening whatever the user names as an archive for the archive commands: a
// ".dat" (split parts and ".ext" side file included), or a Windows ".exe"
// with its archive appended or held in its resource.

#include <filesystem>
#include <string>
#include <vector>

#include "content/vr_file_collection.h"

namespace rivo::tools {

// Throws RivoError when path holds no archive.
void OpenArchiveSource(TVrFileCollection& archive, const std::filesystem::path& path);

// The archive's entries without the sentinel, in archive order.
std::vector<const TVrFile*> ArchiveEntries(const TVrFileCollection& archive);

}  // namespace rivo::tools
