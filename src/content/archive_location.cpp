#include "content/archive_location.h"

#include <cstring>
#include <system_error>

#include "common/error.h"
#include "common/sjis.h"
#include "content/big_file_stream.h"
#include "content/big_resource_stream.h"

namespace rivo {

namespace fs = std::filesystem;

namespace {
constexpr int64_t kTrailerSize = 6;
}

bool IsExecutableName(const fs::path& path) {
  std::string ext = path.extension().string();
  return sjis::SameText(ext, ".exe") || sjis::SameText(ext, ".scr");
}

fs::path SideFilePath(const fs::path& path) {
  fs::path side = path;
  side.replace_extension(".ext");
  return side;
}

int64_t AppendedArchiveStart(TQnBigStream& file, const std::string& name_cp932) {
  int64_t size = file.GetSize();
  uint8_t trailer[kTrailerSize];
  if (size < kTrailerSize) throw LoadError(name_cp932, "no archive appended (file too short)");
  file.SetPosition(size - kTrailerSize);
  if (file.Read(trailer, kTrailerSize) != kTrailerSize || std::memcmp(trailer + 4, "rv", 2) != 0)
    throw LoadError(name_cp932, "no archive appended (no \"rv\" trailer)");
  int64_t start = static_cast<int32_t>(trailer[0] | trailer[1] << 8 | trailer[2] << 16 |
                                       static_cast<uint32_t>(trailer[3]) << 24);
  if (start < 0 || start > size - kTrailerSize)
    throw LoadError(name_cp932, "damaged archive: the trailer points outside the file");
  return start;
}

bool HasAppendedArchive(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return false;
  try {
    TQnBigFileStream file(path, TQnBigFileStream::kRead);
    int64_t size = file.GetSize();
    char marker[2];
    if (size < kTrailerSize) return false;
    file.SetPosition(size - 2);
    return file.Read(marker, 2) == 2 && std::memcmp(marker, "rv", 2) == 0;
  } catch (const RivoError&) {
    return false;
  }
}

bool HasResourceArchive(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return false;
  try {
    TQnBigResourceStream resource(path, kArchiveResourceName, kArchiveResourceType);
    int64_t size = resource.GetSize();
    char marker[2];
    if (size < 2) return false;
    resource.SetPosition(size - 2);
    return resource.Read(marker, 2) == 2 && std::memcmp(marker, "vf", 2) == 0;
  } catch (const RivoError&) {
    return false;
  }
}

}  // namespace rivo
