// Reading an archive's directory: header, name table, offsets and the
// per-entry arrays. Everything the file says is checked before it is used:
// counts and name lengths against the bytes that remain, offsets for order
// and for lying inside the container. A directory that fails a check is
// refused as a whole, naming the archive.

#include <cstring>
#include <vector>

#include "common/encoding.h"
#include "common/error.h"
#include "content/archive_scramble.h"
#include "content/buff_big_stream.h"
#include "content/vr_file_collection.h"

namespace rivo {

namespace {

// Exact little-endian reads from a big stream, failing with a LoadError.
class TableReader {
 public:
  TableReader(TQnBigStream& stream, std::string name) : s_(stream), size_(stream.GetSize()), name_(std::move(name)) {}

  [[noreturn]] void Fail(const std::string& what) const { throw LoadError(name_, "damaged archive: " + what); }

  int64_t Remaining() { return size_ - s_.GetPosition(); }
  void Read(void* out, int64_t count) {
    if (count > Remaining() || s_.Read(out, count) != count) Fail("truncated directory");
  }
  int32_t I32() {
    uint8_t b[4];
    Read(b, 4);
    return static_cast<int32_t>(b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24);
  }
  // count items of item_size bytes, checked against what remains first.
  std::vector<uint8_t> Array(int64_t count, int64_t item_size, const char* what) {
    if (count > Remaining() / item_size) Fail(std::string("truncated ") + what);
    std::vector<uint8_t> bytes(static_cast<std::size_t>(count * item_size));
    Read(bytes.data(), static_cast<int64_t>(bytes.size()));
    return bytes;
  }

 private:
  TQnBigStream& s_;
  int64_t size_;
  std::string name_;
};

uint32_t U32At(const std::vector<uint8_t>& b, std::size_t i) {
  return b[4 * i] | b[4 * i + 1] << 8 | b[4 * i + 2] << 16 | static_cast<uint32_t>(b[4 * i + 3]) << 24;
}

uint64_t U64At(const std::vector<uint8_t>& b, std::size_t i) {
  uint64_t v = 0;
  for (int k = 7; k >= 0; --k) v = v << 8 | b[8 * i + static_cast<std::size_t>(k)];
  return v;
}

}  // namespace

void TVrFileCollection::ReadDirectoryFrom(TQnBigStream& s, int64_t container_size) {
  TableReader r(s, DisplayName());
  const int64_t base = s.GetPosition();

  int32_t version = 0;
  char magic[2] = {};
  if (r.Remaining() >= 2) s.Read(magic, 2);
  if (std::memcmp(magic, "vf", 2) == 0) {
    version = r.I32();
  } else {
    // No magic: the two bytes belong to the entry count of a version-0 archive.
    s.SetPosition(base);
  }
  int32_t count = r.I32();
  if (count < 0) r.Fail("negative entry count");
  // Every entry takes at least its name's 4-byte length, its offset and,
  // from version 101 on, its four per-entry values.
  const int64_t per_entry = version > 100 ? 4 + 8 + 1 + 4 + 4 + (version >= 102 ? 1 : 0) : 4 + 4;
  if (count > r.Remaining() / per_entry) r.Fail("entry count larger than the archive");
  const std::size_t n = static_cast<std::size_t>(count);

  std::vector<std::string> names(n);
  {
    TQnBuffBigStream names_reader(s, TQnBuffBigStream::kChunkSize);
    for (std::string& name : names) {
      uint8_t b[4];
      if (names_reader.Read(b, 4) != 4) r.Fail("truncated name table");
      int32_t length = static_cast<int32_t>(b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24);
      if (length < 0) r.Fail("negative name length");
      if (length > names_reader.Remaining()) r.Fail("name longer than the archive");
      name.resize(static_cast<std::size_t>(length));
      if (names_reader.Read(name.data(), length) != length) r.Fail("truncated name table");
    }
  }
  if (version > 99) ScrambleNames(names);

  std::vector<int64_t> offsets(n + 1);
  if (version > 100) {
    std::vector<uint8_t> raw = r.Array(count + int64_t{1}, 8, "offset table");
    for (std::size_t i = 0; i <= n; ++i) offsets[i] = static_cast<int64_t>(U64At(raw, i));
    ScrambleOffsets(offsets);
  } else {
    std::vector<uint8_t> raw = r.Array(count + int64_t{1}, 4, "offset table");
    std::vector<int32_t> narrow(n + 1);
    for (std::size_t i = 0; i <= n; ++i) narrow[i] = static_cast<int32_t>(U32At(raw, i));
    if (version > 99) ScrambleOffsets(narrow);
    for (std::size_t i = 0; i <= n; ++i) offsets[i] = narrow[i];
  }
  for (std::size_t i = 0; i <= n; ++i) {
    if (offsets[i] < 0) r.Fail("negative offset");
    if (i > 0 && offsets[i] < offsets[i - 1]) r.Fail("offsets out of order");
  }
  // The container bounds every entry (for a ".ext" side file: the main file).
  if (offsets[n] > container_size - base) r.Fail("entries reach beyond the end of the archive");

  // The older versions carry no per-entry flags: their entries are zlib
  // streams (Stored 0). Reading falls back to the bytes as they stand for
  // entries that some writers of the time left raw (ReadArchiveEntry).
  std::vector<uint8_t> stored(n, 0), times, crcs, crc_of_raw(n, 0);
  if (version > 100) {
    stored = r.Array(count, 1, "flags");
    times = r.Array(count, 4, "file times");
    crcs = r.Array(count, 4, "checksums");
    if (version >= 102) crc_of_raw = r.Array(count, 1, "flags");
  }

  Clear();
  version_ = version;
  for (std::size_t i = 0; i < n; ++i) {
    TVrFile& entry = AddEntry(std::move(names[i]));
    entry.Offset = base + offsets[i];
    entry.Size = offsets[i + 1] - offsets[i];
    entry.Stored = stored[i];
    entry.CrcOfRaw = crc_of_raw[i];
    if (version > 100) {
      entry.FileTime = static_cast<int32_t>(U32At(times, i));
      entry.Crc = U32At(crcs, i);
    }
  }
  TVrFile& sentinel = AddEntry(std::string(kSentinelName));
  sentinel.Offset = base + offsets[n];
}

}  // namespace rivo
