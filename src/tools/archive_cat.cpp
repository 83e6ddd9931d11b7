// rivotool cat ARCHIVE NAME: one entry's content on standard output.

#include <unistd.h>

#include <iostream>

#include "common/encoding.h"
#include "content/memory_stream.h"
#include "tools/archive_commands.h"
#include "tools/archive_source.h"

namespace rivo::tools {

int ArchiveCat(const std::vector<std::string>& args) {
  if (args.size() != 2) {
    std::cerr << "usage: rivotool cat ARCHIVE NAME\n";
    return 1;
  }
  TVrFileCollection archive;
  OpenArchiveSource(archive, args[0]);
  // Found as the player finds it: ignoring case, the last of equal names.
  const TVrFile* entry = archive.Find(Utf8ToCp932(args[1]));
  if (!entry) {
    std::cerr << "rivotool cat: " << args[1] << ": no such entry\n";
    return 2;
  }
  TQnMemoryStream content;
  archive.ReadArchiveEntry(content, *entry);
  std::string_view bytes = content.View();
  while (!bytes.empty()) {
    ssize_t put = ::write(1, bytes.data(), bytes.size());
    if (put <= 0) {
      std::cerr << "rivotool cat: cannot write the output\n";
      return 2;
    }
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return 0;
}

}  // namespace rivo::tools
