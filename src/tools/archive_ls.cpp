// rivotool ls ARCHIVE [--json]: the entries of an archive.

#include <cstdio>
#include <iostream>

#include "common/encoding.h"
#include "tools/archive_commands.h"
#include "tools/archive_source.h"

namespace rivo::tools {

namespace {

std::string JsonString(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

}  // namespace

int ArchiveLs(const std::vector<std::string>& args) {
  bool json = false;
  std::vector<std::string> paths;
  for (const std::string& a : args) {
    if (a == "--json") json = true;
    else paths.push_back(a);
  }
  if (paths.size() != 1) {
    std::cerr << "usage: rivotool ls ARCHIVE [--json]\n";
    return 1;
  }
  TVrFileCollection archive;
  OpenArchiveSource(archive, paths[0]);
  auto entries = ArchiveEntries(archive);
  if (json) std::cout << "[";
  bool first = true;
  for (const TVrFile* e : entries) {
    // What reading the entry finds: archives without flags are told by their bytes.
    const bool stored = archive.ReadsAsStored(*e);
    std::string name = Cp932ToUtf8(e->Name());
    char crc[9];
    std::snprintf(crc, sizeof crc, "%08x", e->Crc);
    if (json) {
      std::cout << (first ? "\n" : ",\n") << "  {\"name\": " << JsonString(name) << ", \"offset\": " << e->Offset
                << ", \"size\": " << e->Size << ", \"stored\": " << (stored ? "true" : "false")
                << ", \"filetime\": " << e->FileTime << ", \"crc\": \"" << crc
                << "\", \"crc_of_raw\": " << (e->CrcOfRaw ? "true" : "false") << "}";
    } else {
      std::cout << name << "\t" << e->Size << "\t" << (stored ? "stored" : "zlib") << "\t" << crc << "\n";
    }
    first = false;
  }
  if (json) std::cout << (entries.empty() ? "]\n" : "\n]\n");
  return 0;
}

}  // namespace rivo::tools
