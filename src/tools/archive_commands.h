#pragma once
// rivotool's archive commands: ls, cat, unpack, pack, verify.

#include <string>
#include <vector>

namespace rivo::tools {

int ArchiveLs(const std::vector<std::string>& args);
int ArchiveCat(const std::vector<std::string>& args);
int ArchiveUnpack(const std::vector<std::string>& args);
int ArchivePack(const std::vector<std::string>& args);
int ArchiveVerify(const std::vector<std::string>& args);

}  // namespace rivo::tools
