#pragma once
// rivotool disasm, asm and build: pages as text, and whole games from sources.

#include <string>
#include <vector>

namespace rivo::tools {

int PageDisasm(const std::vector<std::string>& args);
int PageAsm(const std::vector<std::string>& args);
int GameBuild(const std::vector<std::string>& args);

}  // namespace rivo::tools
