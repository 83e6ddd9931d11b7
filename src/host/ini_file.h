#pragma once
// Reading an INI file the way the Windows profile functions read it:
// sections and keys compare ignoring case, blanks around names and values
// are dropped, a value in matching quotes loses them, lines starting with
// ';' are comments, and of repeated sections or keys the first one counts.
// Bytes are kept as they are (CP932).

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rivo {

class IniFile {
 public:
  static IniFile Parse(std::string_view text);
  // nullopt when the file does not exist or cannot be read.
  static std::optional<IniFile> Load(const std::filesystem::path& file);

  std::optional<std::string> ReadString(std::string_view section, std::string_view key) const;
  // Decimal, "$" or "0x" hexadecimal; anything else (or a missing key) gives def.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
  // Any integer other than 0 is true.
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;

 private:
  struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;
  };
  const Section* FindSection(std::string_view name) const;
  std::vector<Section> sections_;
};

}  // namespace rivo
