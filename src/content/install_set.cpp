#include "content/install_set.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/encoding.h"
#include "common/error.h"
#include "common/sjis.h"
#include "content/file_stream.h"

namespace rivo {

namespace fs = std::filesystem;

namespace {

// The file's strings: int32 length, then the bytes; a length of 0 or less
// has no bytes.
std::string ReadText(ByteReader& r) {
  int32_t length = r.I32();
  return length > 0 ? r.Bytes(length) : std::string();
}

std::vector<std::string> ReadList(ByteReader& r, bool skip_empty) {
  std::size_t count = r.Count(r.I32(), 4);
  std::vector<std::string> list;
  for (std::size_t i = 0; i < count; ++i) {
    std::string s = ReadText(r);
    if (!skip_empty || !s.empty()) list.push_back(std::move(s));
  }
  return list;
}

void WriteList(ByteWriter& w, const std::vector<std::string>& list) {
  w.I32(static_cast<int32_t>(list.size()));
  for (const std::string& s : list) w.String(s);
}

}  // namespace

void TRivoInstallSet::LoadFromBytes(std::string_view bytes, const std::string& name) {
  ByteReader r(bytes, name);
  TRivoInstallSet s;
  s.version_ = 0;
  if (bytes.substr(0, 2) == "is" && bytes.size() >= 5) {
    int v = 0;
    bool digits = true;
    for (char c : bytes.substr(2, 3)) {
      digits = digits && c >= '0' && c <= '9';
      v = v * 10 + (c - '0');
    }
    s.version_ = digits ? v : 0;
    r.Skip(5);
  }
  const int32_t version = s.version_;
  s.DiskIndex = r.I32();
  s.Title = ReadText(r);
  for (std::string& t : s.Strings4to6) t = ReadText(r);
  s.Flag7 = r.U8();
  s.String8 = ReadText(r);
  s.Flag9 = r.U8();
  s.DiskCount = r.I32();
  s.String11 = ReadText(r);
  s.Int12 = r.I32();
  s.Flags12 = {r.U8(), r.U8()};
  for (std::string& t : s.Strings13) t = ReadText(r);
  const bool wide = version >= 100;
  auto value = [&]() -> int64_t { return wide ? r.I64() : static_cast<int64_t>(static_cast<uint32_t>(r.I32())); };
  s.DiskValues.resize(r.Count(s.DiskCount, wide ? 32 : 16));
  for (auto& row : s.DiskValues)
    for (int64_t& v : row) v = value();
  for (int64_t& v : s.Totals) v = value();
  s.Flag16 = r.U8();
  if (version > 100) s.Flag17 = r.U8();
  if (version > 101) s.MadeFiles = ReadList(r, true);
  if (version > 102) s.CompleteInstall = r.Bool();
  if (version > 103) s.Flag20 = r.U8();
  if (version > 104) s.Flag21 = r.U8();
  if (version > 105) s.List22 = ReadList(r, false);
  if (version > 106) s.String23 = ReadText(r);
  if (version > 107)
    for (std::string& t : s.Strings24) t = ReadText(r);
  *this = std::move(s);
}

void TRivoInstallSet::LoadFromStream(TStream& stream, const std::string& name) {
  int64_t left = stream.Remaining();
  std::string bytes(static_cast<std::size_t>(left > 0 ? left : 0), '\0');
  stream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  LoadFromBytes(bytes, name);
}

void TRivoInstallSet::LoadFromFile(const fs::path& path) {
  LoadFromBytes(ReadWholeFile(path), Utf8ToCp932(path.string()));
}

std::string TRivoInstallSet::SaveToBytes() const {
  ByteWriter w;
  w.Bytes("is" + std::to_string(kWrittenVersion));
  w.I32(DiskIndex);
  w.String(Title);
  for (const std::string& t : Strings4to6) w.String(t);
  w.U8(Flag7);
  w.String(String8);
  w.U8(Flag9);
  // The per-disc rows are what is written; the count follows them.
  w.I32(static_cast<int32_t>(DiskValues.size()));
  w.String(String11);
  w.I32(Int12);
  w.U8(Flags12[0]);
  w.U8(Flags12[1]);
  for (const std::string& t : Strings13) w.String(t);
  for (const auto& row : DiskValues)
    for (int64_t v : row) w.I64(v);
  for (int64_t v : Totals) w.I64(v);
  w.U8(Flag16);
  w.U8(Flag17);
  WriteList(w, MadeFiles);
  w.Bool(CompleteInstall);
  w.U8(Flag20);
  w.U8(Flag21);
  WriteList(w, List22);
  w.String(String23);
  for (const std::string& t : Strings24) w.String(t);
  return w.Take();
}

void TRivoInstallSet::SaveToFile(const fs::path& path) const {
  std::string bytes = SaveToBytes();
  std::string temp = path.string() + ".XXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) throw RivoError(path.string() + ": cannot write (" + std::strerror(errno) + ")");
  struct stat st;
  ::fchmod(fd, ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644);
  bool ok = true;
  for (std::size_t done = 0; ok && done < bytes.size();) {
    ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    ok = put > 0;
    if (ok) done += static_cast<std::size_t>(put);
  }
  ok = ok && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
    int error = errno;
    ::unlink(temp.c_str());
    throw RivoError(path.string() + ": cannot write (" + std::strerror(error) + ")");
  }
}

int TRivoInstallSet::IndexOfMadeFile(std::string_view name) const {
  for (std::size_t i = 0; i < MadeFiles.size(); ++i)
    if (sjis::SameText(MadeFiles[i], name)) return static_cast<int>(i);
  return -1;
}

void TRivoInstallSet::AddMadeFile(std::string_view name) {
  if (IndexOfMadeFile(name) < 0) MadeFiles.emplace_back(name);
}

}  // namespace rivo
