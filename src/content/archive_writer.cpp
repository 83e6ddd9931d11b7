// Writing a source's entries as a version-102 archive, and the rules that
// decide for each entry whether it is stored or compressed: entries of
// 5 MiB or more and media files are stored so that they can be streamed in
// place; compression that saves less than a tenth is not worth inflating.

#include <sys/stat.h>

#include <ctime>
#include <system_error>
#include <vector>

#include "common/error.h"
#include "common/sjis.h"
#include "content/archive_scramble.h"
#include "content/file_stream.h"
#include "content/uncompressed_orba.h"
#include "content/vr_file_collection.h"

namespace rivo {

namespace fs = std::filesystem;

namespace {

constexpr int32_t kWrittenVersion = 102;
// Media and nested archives: already compressed, or streamed in place.
constexpr std::string_view kNeverCompressed = ".WAV.WMA.OGG.MPG.MPEG.M1V.WMV.ASF.DAT.";

bool ShouldCompressLooseFile(std::string_view name, std::string_view content) {
  std::string ext = sjis::UpperCase(sjis::ExtractFileExt(name));
  if (ext == ".ORB") return IsUncompressedOrbaFile(content);
  if (!ext.empty() && kNeverCompressed.find(ext + ".") != std::string_view::npos) return false;
  return static_cast<int64_t>(content.size()) < TVrFileCollection::kStoreFromSize;
}

// The file's age as a packed DOS date and time (local time).
int32_t DosFileTime(const fs::path& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return 0;
  std::tm t{};
  if (!::localtime_r(&st.st_mtime, &t) || t.tm_year < 80) return 0;
  uint32_t date = static_cast<uint32_t>((t.tm_year - 80) << 9 | (t.tm_mon + 1) << 5 | t.tm_mday);
  uint32_t time = static_cast<uint32_t>(t.tm_hour << 11 | t.tm_min << 5 | t.tm_sec / 2);
  return static_cast<int32_t>(date << 16 | time);
}

void Put(TQnBigStream& dest, std::string_view bytes) {
  if (dest.Write(bytes.data(), static_cast<int64_t>(bytes.size())) != static_cast<int64_t>(bytes.size()))
    throw RivoError("cannot write the archive");
}

template <typename T>
void PutLE(std::string& out, T v) {
  for (std::size_t i = 0; i < sizeof(T); ++i) out.push_back(static_cast<char>(static_cast<uint64_t>(v) >> (8 * i)));
}

}  // namespace

// Content compressed, or stored when it is 5 MiB or more, with Crc taken as
// CrcOfRaw says.
static std::string PackContent(TVrFile& entry, std::string_view content) {
  if (static_cast<int64_t>(content.size()) >= TVrFileCollection::kStoreFromSize) {
    entry.Stored = 1;
    entry.Crc = Crc32(content);
    return std::string(content);
  }
  std::string packed = CompressFast(content);
  entry.Crc = Crc32(entry.CrcOfRaw ? content : std::string_view(packed));
  return packed;
}

std::string TVrFileCollection::EntryBytes(TVrFile& entry) {
  entry.Stored = 0;
  if (entry.Data) return PackContent(entry, entry.Data->View());
  if (auto loose = LooseFile(entry.Name())) {
    std::string content = ReadWholeFile(*loose);
    entry.FileTime = DosFileTime(*loose);
    if (!ShouldCompressLooseFile(entry.Name(), content)) {
      entry.Stored = 1;
      entry.Crc = Crc32(content);
      return content;
    }
    std::string packed = CompressFast(content);
    if (static_cast<int64_t>(packed.size()) > static_cast<int64_t>(content.size()) * 9 / 10) {
      entry.Stored = 1;
      entry.Crc = Crc32(content);
      return content;
    }
    entry.Crc = Crc32(entry.CrcOfRaw ? std::string_view(content) : std::string_view(packed));
    return packed;
  }
  // An entry of this source's own archive: its content, packed anew. Crc
  // follows the entry's CrcOfRaw here too, so that the flag stays true.
  if (!archive_stream_) throw RivoError("%s:ファイルがありません", entry.Name());
  TQnMemoryStream content;
  ReadArchiveEntry(content, entry);
  return PackContent(entry, content.View());
}

bool TVrFileCollection::WriteArchive(TQnBigStream& dest) {
  std::vector<TVrFile*> entries;
  for (const auto& item : *this)
    if (item->Name() != kSentinelName) entries.push_back(item.get());
  const std::size_t n = entries.size();

  std::string head = "vf";
  PutLE<int32_t>(head, kWrittenVersion);
  PutLE<int32_t>(head, static_cast<int32_t>(n));
  std::vector<std::string> names;
  for (TVrFile* e : entries) names.push_back(e->Name());
  ScrambleNames(names);
  for (const std::string& name : names) {
    PutLE<int32_t>(head, static_cast<int32_t>(name.size()));
    head += name;
  }
  dest.SetPosition(0);
  Put(dest, head);
  const int64_t tables_at = dest.GetPosition();
  const std::size_t tables_size = (n + 1) * 8 + n * (1 + 4 + 4 + 1);
  Put(dest, std::string(tables_size, '\0'));

  std::vector<int64_t> offsets;
  for (TVrFile* e : entries) {
    offsets.push_back(dest.GetPosition());
    Put(dest, EntryBytes(*e));
  }
  offsets.push_back(dest.GetPosition());
  ScrambleOffsets(offsets);

  std::string tables;
  for (int64_t o : offsets) PutLE<int64_t>(tables, o);
  for (TVrFile* e : entries) tables.push_back(static_cast<char>(e->Stored));
  for (TVrFile* e : entries) PutLE<int32_t>(tables, e->FileTime);
  for (TVrFile* e : entries) PutLE<uint32_t>(tables, e->Crc);
  for (TVrFile* e : entries) tables.push_back(static_cast<char>(e->CrcOfRaw));
  dest.SetPosition(tables_at);
  Put(dest, tables);
  return true;
}

}  // namespace rivo
