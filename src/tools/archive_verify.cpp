// rivotool verify ARCHIVE: reads every entry and compares its checksum
// (over the content or over the bytes as stored, as the entry says). The
// exit code is 0 only when every entry is sound.

#include <cstdio>
#include <iostream>

#include "common/encoding.h"
#include "common/error.h"
#include "content/memory_stream.h"
#include "content/zlib_codec.h"
#include "tools/archive_commands.h"
#include "tools/archive_source.h"
#include "tools/progress_bar.h"
#include "tools/terminal_message.h"

namespace rivo::tools {

int ArchiveVerify(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::cerr << "usage: rivotool verify ARCHIVE\n";
    return 1;
  }
  TVrFileCollection archive;
  OpenArchiveSource(archive, args[0]);
  auto entries = ArchiveEntries(archive);
  int64_t total = 0;
  for (const TVrFile* e : entries) total += e->Size;
  // Archives before version 101 carry no checksums: only readability is checked.
  const bool has_crc = archive.Version() > 100;
  ProgressBar progress("verify", total);
  int damaged = 0;
  for (const TVrFile* e : entries) {
    const std::string shown = Cp932ToUtf8(e->Name());
    try {
      std::string stored = archive.ReadStoredBytes(*e);
      TQnMemoryStream content;
      archive.ReadArchiveEntry(content, *e);
      uint32_t crc = Crc32(e->CrcOfRaw ? content.View() : std::string_view(stored));
      if (has_crc && crc != e->Crc) {
        char line[80];
        std::snprintf(line, sizeof line, ": checksum %08x, expected %08x", crc, e->Crc);
        std::cerr << "damaged: " << shown << line << "\n";
        ++damaged;
      }
    } catch (const RivoError& error) {
      std::cerr << "damaged: " << shown << ": " << TerminalMessage(error) << "\n";
      ++damaged;
    }
    progress.Advance(e->Size);
  }
  if (damaged) {
    std::cerr << damaged << " of " << entries.size() << " entries damaged\n";
    return 2;
  }
  std::cout << entries.size() << " entries sound\n";
  return 0;
}

}  // namespace rivo::tools
