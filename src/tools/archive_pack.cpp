// rivotool pack DIR ARCHIVE: an archive of every file under DIR, by the
// player's own writer. Names are CP932 with "\" separators, sorted by their
// bytes so that the same folder always gives the same archive; of names
// that differ only in case the later in that order is the one the player finds.

#include <algorithm>
#include <optional>
#include <iostream>
#include <system_error>

#include "common/encoding.h"
#include "common/error.h"
#include "content/big_file_stream.h"
#include "content/vr_file_collection.h"
#include "tools/archive_commands.h"
#include "tools/progress_bar.h"

namespace rivo::tools {

namespace fs = std::filesystem;

namespace {

// The CP932 name of a file below dir, or nullopt when one of its parts has
// no CP932 form (it could not be found under that name).
std::optional<std::string> ContentName(const fs::path& relative) {
  std::string name;
  for (const fs::path& part : relative) {
    std::string utf8 = part.string();
    std::string cp932 = Utf8ToCp932(utf8);
    if (Cp932ToUtf8(cp932) != utf8) return std::nullopt;
    if (!name.empty()) name += '\\';
    name += cp932;
  }
  return name;
}

}  // namespace

int ArchivePack(const std::vector<std::string>& args) {
  if (args.size() != 2) {
    std::cerr << "usage: rivotool pack DIR ARCHIVE\n";
    return 1;
  }
  const fs::path dir = args[0], output = args[1];
  if (!fs::is_directory(dir)) throw RivoError(dir.string() + ": no such folder");
  std::error_code ec;
  std::vector<std::string> names;
  int64_t total = 0;
  int failures = 0;
  for (auto it = fs::recursive_directory_iterator(dir); it != fs::recursive_directory_iterator(); ++it) {
    if (!it->is_regular_file(ec) || it->is_symlink(ec)) continue;
    if (fs::equivalent(it->path(), output, ec)) continue;
    auto name = ContentName(it->path().lexically_relative(dir));
    if (!name) {
      std::cerr << "rivotool pack: skipped " << it->path().string() << ": the name has no CP932 form\n";
      ++failures;
      continue;
    }
    names.push_back(std::move(*name));
    total += static_cast<int64_t>(it->file_size(ec));
  }
  std::sort(names.begin(), names.end());

  TVrFileCollection archive;
  archive.Open(dir);
  for (std::string& name : names) archive.AddEntry(std::move(name));
  ProgressBar progress("pack", total);
  try {
    TQnBigFileStream out(output, TQnBigFileStream::kWrite);
    archive.WriteArchive(out);
  } catch (...) {
    fs::remove(output, ec);
    throw;
  }
  progress.Advance(total);
  return failures ? 2 : 0;
}

}  // namespace rivo::tools
