#pragma once
// TRivoInstallSet: "install.dat", the small file an installation puts beside
// "game.dat". It tells which game and which disc a folder holds, whether the
// installation is complete (no disc needed), and lists the files the game
// made itself. Fields the player gives no meaning are carried from reading
// to writing unchanged; they are named after their place in the file.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "content/stream.h"

namespace rivo {

class TRivoInstallSet {
 public:
  static constexpr int32_t kWrittenVersion = 108;

  int32_t DiskIndex = 0;
  std::string Title;
  int32_t DiskCount = 0;  // sizes DiskValues
  std::vector<std::string> MadeFiles;
  bool CompleteInstall = false;

  // Carried unchanged, in file order.
  std::array<std::string, 3> Strings4to6;
  uint8_t Flag7 = 0;
  std::string String8;
  uint8_t Flag9 = 0;
  std::string String11;
  int32_t Int12 = 0;
  std::array<uint8_t, 2> Flags12{};
  std::array<std::string, 2> Strings13;
  std::vector<std::array<int64_t, 4>> DiskValues;  // one row per disc
  std::array<int64_t, 4> Totals{};
  uint8_t Flag16 = 0;
  uint8_t Flag17 = 0;
  uint8_t Flag20 = 0;
  uint8_t Flag21 = 0;
  std::vector<std::string> List22;
  std::string String23;
  std::array<std::string, 2> Strings24;

  // The version of the file last read (0 for a file without magic).
  int32_t Version() const { return version_; }

  // Damaged or truncated data throws LoadError naming name_cp932; the set
  // is then unchanged.
  void LoadFromBytes(std::string_view bytes, const std::string& name_cp932);
  void LoadFromStream(TStream& stream, const std::string& name_cp932 = "install.dat");
  void LoadFromFile(const std::filesystem::path& path);
  std::string SaveToBytes() const;
  // Writes a new file beside path and renames it into place, so that the
  // old file stays whole until the new one is.
  void SaveToFile(const std::filesystem::path& path) const;

  int IndexOfMadeFile(std::string_view name) const;
  void AddMadeFile(std::string_view name);

 private:
  int32_t version_ = kWrittenVersion;
};

}  // namespace rivo
