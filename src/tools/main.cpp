// rivotool: archives, pages, pictures and saves of the games rivoplay plays.

#include <cstring>
#include <exception>
#include <iostream>
#include <span>

#include "tools/archive_commands.h"
#include "tools/commands.h"
#include "tools/convert_command.h"
#include "tools/eval_command.h"
#include "tools/imginfo_command.h"
#include "tools/markup_command.h"
#include "tools/font_commands.h"
#include "tools/page_commands.h"
#include "tools/wipe_command.h"
#include "tools/play_command.h"
#include "tools/save_command.h"
#include "tools/terminal_message.h"
#include "tools/midi_command.h"

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
    {"wipe", "wipe CODE OLD NEW OUT.png --t MS --duration MS [--reverse] [--p0 N] [--p1 N] [--mask M [--key K]] [--seed N] | --frames N DIR", "frames of a screen transition", RunWipe},
    {"convert", "convert IN... OUT [--frame N | --all-frames] [--delay MS] [--key K | --game DIR] [--compression C] [--quality Q]",
     "convert a picture between .orb, .png and .bmp (mask as alpha)", RunConvert},
    {"imginfo", "imginfo IN [--json] [--key K | --game DIR]", "what a picture file holds", RunImgInfo},
    {"markup", "markup TEXT | --file F | --stored F [--text-delay N] [--write-stored OUT]",
     "the glyphs a tagged text compiles to, or a stored glyph list holds", RunMarkup},
    {"text", "text OUT.png TEXT [--font NAME] [--size N] [--aa 0-3] [--style BITS] [--border B] [--shadow S] [--test-fonts]",
     "draw a text through the glyph cache and print each character's metrics", RunText},
    {"fonts", "fonts [FACE]...", "show the font file each face name is drawn from", RunFonts},
    {"save", "save ls SAVE.DAT [--json] [--game DIR] | save dump SAVE.DAT SLOT|status [--json] [--game DIR]", "what a save file holds", RunSave},
    {"play", "play FILE [--ms N] [--wav OUT.wav] [--soundfont FONT]", "play a sound file, or render it into a WAV file", RunPlay},
    {"midi", "midi FILE [--json]", "a MIDI file's merged events with their times in ms", RunMidi},
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
