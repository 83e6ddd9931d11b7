#pragma once
// The commands of rivotool. Each command lives in a file of its own and is
// listed once in the table of main.cpp.

#include <string>
#include <vector>

namespace rivo::tools {

// args excludes the command name. Returns the process exit code: 0 done,
// 1 usage error, 2 failure (a message has been printed on standard error).
using CommandFunction = int (*)(const std::vector<std::string>& args);

struct ToolCommand {
  const char* name;
  const char* usage;    // "NAME ARGS" as shown by --help
  const char* summary;  // one line
  CommandFunction run;
};

}  // namespace rivo::tools
