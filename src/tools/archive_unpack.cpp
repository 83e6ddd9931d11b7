// rivotool unpack ARCHIVE DIR: every entry into DIR, names in UTF-8 with "/"
// separators. A name that would land outside DIR is refused and reported;
// the other entries go on.

#include <iostream>
#include <system_error>

#include "common/encoding.h"
#include "common/error.h"
#include "content/content_path_resolver.h"
#include "content/file_stream.h"
#include "content/memory_stream.h"
#include "tools/archive_commands.h"
#include "tools/archive_source.h"
#include "tools/progress_bar.h"
#include "tools/terminal_message.h"

namespace rivo::tools {

namespace fs = std::filesystem;

int ArchiveUnpack(const std::vector<std::string>& args) {
  if (args.size() != 2) {
    std::cerr << "usage: rivotool unpack ARCHIVE DIR\n";
    return 1;
  }
  TVrFileCollection archive;
  OpenArchiveSource(archive, args[0]);
  const fs::path dir = args[1];
  fs::create_directories(dir);
  auto entries = ArchiveEntries(archive);
  int64_t total = 0;
  for (const TVrFile* e : entries) total += e->Size;
  ProgressBar progress("unpack", total);
  int failures = 0;
  for (const TVrFile* e : entries) {
    const std::string shown = Cp932ToUtf8(e->Name());
    auto parts = TContentPathResolver::Components(e->Name());
    if (!parts) {
      std::cerr << "rivotool unpack: refused \"" << shown << "\": the name would land outside " << dir.string() << "\n";
      ++failures;
      continue;
    }
    fs::path target = dir;
    for (const std::string& part : *parts) target /= TContentPathResolver::HostName(part);
    try {
      TQnMemoryStream content;
      archive.ReadArchiveEntry(content, *e);
      fs::create_directories(target.parent_path());
      TFileStream out(target, FileOpen::kCreate);
      out.WriteBuffer(content.Data(), content.GetSize());
    } catch (const std::exception& error) {
      std::cerr << "rivotool unpack: " << shown << ": " << TerminalMessage(error) << "\n";
      ++failures;
    }
    progress.Advance(e->Size);
  }
  return failures ? 2 : 0;
}

}  // namespace rivo::tools
