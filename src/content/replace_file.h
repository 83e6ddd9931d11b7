#pragma once
// Replacing a file whole so that a crash, a kill or a full disk at any moment
// leaves either the old file or the new one, never a mixture: the new bytes
// go to a temporary file in the same folder, are flushed to the disk and
// then renamed over the old file. Until that rename has succeeded the old
// file is also reachable as "<name>.bak".

#include <filesystem>
#include <string_view>

namespace rivo {

// Throws RivoError (with the system's reason) when the file cannot be
// written; the old file is then unchanged.
void ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace rivo
