#pragma once
// Test-only writers: archives of every version the reader accepts (the
// player's own writer makes only the newest), a minimal Windows executable
// carrying a resource, and a private temporary folder per test.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace rivo::testing {

struct FixtureEntry {
  std::string name;   // CP932
  std::string bytes;  // as stored
  uint8_t stored = 1;
  int32_t file_time = 0;
  uint32_t crc = 0;
  uint8_t crc_of_raw = 0;
};

// An archive of the given version: 0 writes no magic; up to 99 plain names
// and int32 offsets; 100 scrambles both; 101 adds int64 offsets and the
// flags, file times and checksums; 102 and later the CrcOfRaw flags.
std::string BuildArchive(int version, const std::vector<FixtureEntry>& entries);

// A 32-bit PE image with one resource (type, name), language 0x411.
std::string BuildPeWithResource(const std::string& type, const std::string& name, const std::string& data);

// An executable with an archive appended and the trailer (int32 start + "rv").
std::string AppendArchive(const std::string& program, const std::string& archive);

void WriteFile(const std::filesystem::path& path, const std::string& bytes);
std::string ReadFile(const std::filesystem::path& path);

// A fresh folder, removed with everything in it at the end of the test.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// Bytes that zlib cannot shrink (a fixed pseudo-random sequence).
std::string Incompressible(std::size_t size, uint32_t seed = 1);

}  // namespace rivo::testing
