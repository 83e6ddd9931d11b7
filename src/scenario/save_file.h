#pragma once
// SaveFile: "save.dat", the archive that holds the game saves
// ("GAMESAVEDATA" + slot) and the status data ("STATUSSAVEDATA"). It is
// read whole into memory and opened without a folder, so that loose files
// of the same names beside it never stand in for its entries. Writing
// replaces the file whole and crash-proof (ReplaceFile); a file that could
// not be read is never written over.

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "content/vr_file_collection.h"

namespace rivo {

class SaveFile {
 public:
  static constexpr std::string_view kStatusEntry = "STATUSSAVEDATA";
  static constexpr std::string_view kGameEntryPrefix = "GAMESAVEDATA";

  enum class State { kAbsent, kReadable, kDamaged };

  explicit SaveFile(std::filesystem::path path) : path_(std::move(path)) {}

  // Reads the file from the disk again. A damaged file leaves State
  // kDamaged and Problem saying why.
  State Open();
  State GetState() const { return state_; }
  const std::string& Problem() const { return problem_; }
  const std::filesystem::path& Path() const { return path_; }

  // Entry names in archive order; the content of one entry (nullopt when
  // absent). A damaged entry throws LoadError.
  std::vector<std::string> EntryNames() const;
  std::optional<std::string> Entry(std::string_view name);

  // Writes the file with entry name replaced by (or added as) content, the
  // others as they were on the disk. Throws RivoError when the file on disk
  // could not be read or the new one cannot be written; nothing has changed
  // then.
  void Put(std::string_view name, std::string_view content);
  // The same for several entries in one write (a game save and the status).
  using Change = std::pair<std::string_view, std::string_view>;
  void Put(std::initializer_list<Change> changes);

  static std::string GameEntryName(int32_t slot) { return std::string(kGameEntryPrefix) + std::to_string(slot); }
  // The slot of a game save entry name; nullopt for other names and for
  // names without a valid number >= 0 after the prefix.
  static std::optional<int32_t> SlotOf(std::string_view name);

 private:
  std::filesystem::path path_;
  State state_ = State::kAbsent;
  std::string problem_;
  TVrFileCollection archive_;
};

}  // namespace rivo
