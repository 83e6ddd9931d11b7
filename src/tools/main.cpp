// rivotool: archives, pages, pictures and saves of the games rivoplay plays.

#include <cstring>
#include <exception>
#include <iostream>
#include <span>

#include "tools/archive_commands.h"
#include "tools/commands.h"
#include "tools/convert_command.h"
#include "tools/eval_command.h"
#include "tools/page_commands.h"
#include "tools/terminal_message.h"

namespace rivo::tools {
namespace {

// Commands join this table as their subsystems arrive.
constexpr ToolCommand kCommands[] = {
    {"help", "help", "show this list", nullptr},
    {"eval", "eval EXPR [--var NAME=KIND:VALUE]... | eval --ops EXPR", "compile and run one expression", RunEval},
    {"ls", "ls ARCHIVE [--json]", "list an archive's entries", ArchiveLs},
    {"cat", "cat ARCHIVE NAME", "write one entry's content to standard output", ArchiveCat},
    {"unpack", "unpack ARCHIVE DIR", "extract every entry into DIR", ArchiveUnpack},
    {"pack", "pack DIR ARCHIVE", "make an archive of every file under DIR", ArchivePack},
    {"verify", "verify ARCHIVE", "read every entry and check its checksum", ArchiveVerify},
    {"disasm", "disasm PAGE.rsb", "list a compiled page as text (UTF-8)", PageDisasm},
    {"asm", "asm SOURCE OUT.rsb", "build a page from its listing", PageAsm},
    {"build", "build SRCDIR OUTDIR [--pack]", "build a whole game from its sources", GameBuild},
    {"convert", "convert IN OUT.png|OUT.bmp", "convert a BMP, DIB or PNG picture (mask as alpha)", RunConvert},
};

void PrintUsage(std::ostream& out) {
  out << "usage: rivotool COMMAND [ARGS]...\n\ncommands:\n";
  for (const ToolCommand& c : kCommands) out << "  " << c.usage << "\n      " << c.summary << "\n";
}

}  // namespace
}  // namespace rivo::tools

int main(int argc, char** argv) {
  using namespace rivo::tools;
  if (argc < 2) {
    PrintUsage(std::cerr);
    return 1;
  }
  std::string name = argv[1];
  if (name == "help" || name == "--help" || name == "-h") {
    PrintUsage(std::cout);
    return 0;
  }
  for (const ToolCommand& c : kCommands) {
    if (c.run && name == c.name) {
      try {
        return c.run(std::vector<std::string>(argv + 2, argv + argc));
      } catch (const std::exception& e) {
        std::cerr << "rivotool " << name << ": " << TerminalMessage(e) << "\n";
        return 2;
      }
    }
  }
  std::cerr << "rivotool: unknown command '" << name << "'\n";
  PrintUsage(std::cerr);
  return 1;
}
