#include "content/pe_resource.h"

#include <cstring>
#include <string>
#include <vector>

#include "common/sjis.h"

namespace rivo {

namespace {

constexpr uint32_t kHighBit = 0x80000000u;

// Positioned reads that refuse anything outside the file.
class PeFile {
 public:
  explicit PeFile(TQnBigStream& s) : s_(s), size_(s.GetSize()) {}

  bool Read(int64_t pos, void* out, int64_t n) {
    if (pos < 0 || n < 0 || pos > size_ || n > size_ - pos) return false;
    s_.SetPosition(pos);
    return s_.Read(out, n) == n;
  }
  std::optional<uint32_t> U32(int64_t pos) {
    uint8_t b[4];
    if (!Read(pos, b, 4)) return std::nullopt;
    return b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24;
  }
  std::optional<uint16_t> U16(int64_t pos) {
    uint8_t b[2];
    if (!Read(pos, b, 2)) return std::nullopt;
    return static_cast<uint16_t>(b[0] | b[1] << 8);
  }
  int64_t size() const { return size_; }

 private:
  TQnBigStream& s_;
  int64_t size_;
};

struct Section {
  uint32_t virtual_address, virtual_size, raw_size, raw_offset;
};

struct Image {
  std::vector<Section> sections;
  uint32_t resource_rva = 0;
};

std::optional<Image> ReadHeaders(PeFile& f) {
  char mz[2];
  if (!f.Read(0, mz, 2) || std::memcmp(mz, "MZ", 2) != 0) return std::nullopt;
  auto pe = f.U32(0x3C);
  if (!pe) return std::nullopt;
  char sig[4];
  if (!f.Read(*pe, sig, 4) || std::memcmp(sig, "PE\0\0", 4) != 0) return std::nullopt;
  int64_t coff = int64_t{*pe} + 4;
  auto sections = f.U16(coff + 2);
  auto optional_size = f.U16(coff + 16);
  int64_t opt = coff + 20;
  auto magic = f.U16(opt);
  if (!sections || !optional_size || !magic) return std::nullopt;
  int64_t directories;
  if (*magic == 0x10B) directories = opt + 96;       // 32-bit image
  else if (*magic == 0x20B) directories = opt + 112;  // 64-bit image
  else return std::nullopt;
  auto count = f.U32(directories - 4);
  Image image;
  if (count && *count > 2 && directories + 24 <= opt + *optional_size) {
    auto rva = f.U32(directories + 16);
    if (rva) image.resource_rva = *rva;
  }
  int64_t table = opt + *optional_size;
  for (uint16_t i = 0; i < *sections; ++i) {
    uint8_t raw[40];
    if (!f.Read(table + 40 * i, raw, 40)) return std::nullopt;
    auto u32 = [&](int at) { return raw[at] | raw[at + 1] << 8 | raw[at + 2] << 16 | static_cast<uint32_t>(raw[at + 3]) << 24; };
    image.sections.push_back({u32(12), u32(8), u32(16), u32(20)});
  }
  return image;
}

std::optional<int64_t> RvaToOffset(const Image& image, uint32_t rva, uint32_t length) {
  for (const Section& s : image.sections) {
    if (rva < s.virtual_address) continue;
    uint64_t into = rva - s.virtual_address;
    if (into + length <= s.raw_size) return int64_t{s.raw_offset} + static_cast<int64_t>(into);
  }
  return std::nullopt;
}

// Resource names are stored as UTF-16 in upper case; the wanted name is ASCII.
bool NameMatches(PeFile& f, int64_t root, uint32_t entry_name, std::string_view wanted) {
  if (!(entry_name & kHighBit)) {
    if (wanted.size() < 2 || wanted[0] != '#') return false;
    return std::to_string(entry_name) == wanted.substr(1);
  }
  int64_t at = root + (entry_name & ~kHighBit);
  auto length = f.U16(at);
  if (!length || *length != wanted.size()) return false;
  std::vector<uint8_t> chars(2 * std::size_t{*length});
  if (!f.Read(at + 2, chars.data(), static_cast<int64_t>(chars.size()))) return false;
  std::string narrow;
  for (std::size_t i = 0; i < *length; ++i) {
    if (chars[2 * i + 1] != 0 || chars[2 * i] >= 0x80) return false;
    narrow.push_back(static_cast<char>(chars[2 * i]));
  }
  return sjis::SameText(narrow, wanted);
}

// The entry's target (subdirectory or data entry offset, with the high bit
// telling which) of the first entry that matches; an empty name takes the first.
std::optional<uint32_t> FindEntry(PeFile& f, int64_t root, int64_t directory, std::string_view wanted) {
  auto named = f.U16(directory + 12);
  auto numbered = f.U16(directory + 14);
  if (!named || !numbered) return std::nullopt;
  int total = *named + *numbered;
  for (int i = 0; i < total; ++i) {
    auto name = f.U32(directory + 16 + 8 * i);
    auto target = f.U32(directory + 20 + 8 * i);
    if (!name || !target) return std::nullopt;
    if (wanted.empty() || NameMatches(f, root, *name, wanted)) return target;
  }
  return std::nullopt;
}

}  // namespace

bool IsPeImage(TQnBigStream& file) {
  PeFile f(file);
  return ReadHeaders(f).has_value();
}

std::optional<PeResourceLocation> FindPeResource(TQnBigStream& file, std::string_view type, std::string_view name) {
  PeFile f(file);
  auto image = ReadHeaders(f);
  if (!image || image->resource_rva == 0) return std::nullopt;
  auto root = RvaToOffset(*image, image->resource_rva, 16);
  if (!root) return std::nullopt;
  // Three levels: type, name, language. Each step must lead to a subdirectory
  // except the last, which leads to a data entry.
  int64_t directory = *root;
  std::string_view keys[3] = {type, name, {}};
  for (int level = 0; level < 3; ++level) {
    auto target = FindEntry(f, *root, directory, keys[level]);
    if (!target) return std::nullopt;
    bool is_directory = (*target & kHighBit) != 0;
    if (is_directory != (level < 2)) return std::nullopt;
    directory = *root + (*target & ~kHighBit);
  }
  auto data_rva = f.U32(directory);
  auto data_size = f.U32(directory + 4);
  if (!data_rva || !data_size) return std::nullopt;
  auto offset = RvaToOffset(*image, *data_rva, *data_size);
  if (!offset || *offset + *data_size > f.size()) return std::nullopt;
  return PeResourceLocation{*offset, *data_size};
}

}  // namespace rivo
