#include "archive_fixtures.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "common/byte_writer.h"
#include "content/archive_scramble.h"

namespace rivo::testing {

std::string BuildArchive(int version, const std::vector<FixtureEntry>& entries) {
  ByteWriter w;
  if (version > 0) {
    w.Bytes("vf");
    w.I32(version);
  }
  w.I32(static_cast<int32_t>(entries.size()));
  std::vector<std::string> names;
  for (const auto& e : entries) names.push_back(e.name);
  if (version > 99) ScrambleNames(names);
  for (const auto& n : names) w.String(n);

  const std::size_t count = entries.size();
  std::size_t tables = version > 100 ? (count + 1) * 8 + count * 9 + (version >= 102 ? count : 0) : (count + 1) * 4;
  std::vector<int64_t> offsets;
  int64_t at = static_cast<int64_t>(w.Size() + tables);
  for (const auto& e : entries) {
    offsets.push_back(at);
    at += static_cast<int64_t>(e.bytes.size());
  }
  offsets.push_back(at);
  if (version > 100) {
    ScrambleOffsets(offsets);
    for (int64_t o : offsets) w.I64(o);
    for (const auto& e : entries) w.U8(e.stored);
    for (const auto& e : entries) w.I32(e.file_time);
    for (const auto& e : entries) w.U32(e.crc);
    if (version >= 102)
      for (const auto& e : entries) w.U8(e.crc_of_raw);
  } else {
    std::vector<int32_t> narrow(offsets.begin(), offsets.end());
    if (version > 99) ScrambleOffsets(narrow);
    for (int32_t o : narrow) w.I32(o);
  }
  for (const auto& e : entries) w.Bytes(e.bytes);
  return w.Take();
}

std::string BuildPeWithResource(const std::string& type, const std::string& name, const std::string& data) {
  constexpr uint32_t kSectionRva = 0x1000, kSectionFile = 0x200;
  auto utf16 = [](ByteWriter& w, const std::string& s) {
    w.U16(static_cast<uint16_t>(s.size()));
    for (char c : s) w.U16(static_cast<uint8_t>(c));
  };
  // The resource section: three directory levels, the data entry, the two
  // names, then the data.
  ByteWriter r;
  auto directory = [&](uint16_t named, uint16_t ids) {
    r.U32(0); r.U32(0); r.U16(0); r.U16(0); r.U16(named); r.U16(ids);
  };
  const uint32_t kTypeName = 88, kResName = kTypeName + 2 + 2 * static_cast<uint32_t>(type.size());
  const uint32_t kData = (kResName + 2 + 2 * static_cast<uint32_t>(name.size()) + 7) & ~7u;
  directory(1, 0);
  r.U32(0x80000000u | kTypeName); r.U32(0x80000000u | 24);
  directory(1, 0);
  r.U32(0x80000000u | kResName); r.U32(0x80000000u | 48);
  directory(0, 1);
  r.U32(0x411); r.U32(72);
  r.U32(kSectionRva + kData); r.U32(static_cast<uint32_t>(data.size())); r.U32(0); r.U32(0);
  utf16(r, type);
  utf16(r, name);
  while (r.Size() < kData) r.U8(0);
  r.Bytes(data);
  std::string section = r.Take();

  ByteWriter w;
  w.Bytes("MZ");
  while (w.Size() < 0x3C) w.U8(0);
  w.U32(0x40);
  w.Bytes(std::string("PE\0\0", 4));
  w.U16(0x14C); w.U16(1); w.U32(0); w.U32(0); w.U32(0); w.U16(224); w.U16(0x102);
  const std::size_t opt = w.Size();
  w.U16(0x10B);
  while (w.Size() < opt + 92) w.U8(0);
  w.U32(16);  // data directories
  for (int i = 0; i < 16; ++i) {
    w.U32(i == 2 ? kSectionRva : 0);
    w.U32(i == 2 ? static_cast<uint32_t>(section.size()) : 0);
  }
  w.Bytes(std::string(".rsrc\0\0\0", 8));
  w.U32(static_cast<uint32_t>(section.size())); w.U32(kSectionRva);
  w.U32(static_cast<uint32_t>(section.size())); w.U32(kSectionFile);
  w.U32(0); w.U32(0); w.U16(0); w.U16(0); w.U32(0x40000040);
  while (w.Size() < kSectionFile) w.U8(0);
  w.Bytes(section);
  return w.Take();
}

std::string AppendArchive(const std::string& program, const std::string& archive) {
  ByteWriter w;
  w.Bytes(program);
  w.Bytes(archive);
  w.I32(static_cast<int32_t>(program.size()));
  w.Bytes("rv");
  return w.Take();
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "rivo-content-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string Incompressible(std::size_t size, uint32_t seed) {
  std::string out(size, '\0');
  uint32_t x = seed * 2654435761u + 1;
  for (char& c : out) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    c = static_cast<char>(x >> 24);
  }
  return out;
}

}  // namespace rivo::testing
