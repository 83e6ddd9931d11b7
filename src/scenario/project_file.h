#pragma once
// The project file "rivo.rpb": the game's title, screen size, start and end
// pages, prompt texts, the variables the game starts with and the table of
// which content folder lies on which disc. Fields arrived with later
// versions; a file of an older version simply lacks them.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rivo {

struct InitialVariable {
  uint8_t kind = 1;  // PT_INT .. PT_STR
  std::string name;
  int32_t int_value = 0;
  long double real_value = 0;
  uint8_t flag_value = 0;
  std::string string_value;
};

struct ProjectFile {
  static constexpr int32_t kNewestVersion = 112;

  int32_t version = kNewestVersion;
  std::string title;
  int32_t screen_width = 640, screen_height = 480;
  int32_t full_screen_width = 0, full_screen_height = 0;
  std::string start_page;
  std::string end_page;  // version 110 on
  std::string registry_key;
  int32_t identification_code = 0;
  uint8_t write_status_file = 1;  // version 104 on
  uint8_t frame_limit = 1;        // version 106 on; older files give 0
  std::string media_extensions = ".wav.wma.ogg";  // version 109 on
  std::string disk_prompt;   // CP932, like every game string; defaults below
  std::string exit_message;

  std::vector<InitialVariable> variables;
  std::vector<std::pair<std::string, int32_t>> disks;

  ProjectFile();

  // Reads a file of any version up to the newest (the caller decides what
  // to do with a newer one: Version() first). Damaged data, a negative
  // count or a variable kind outside 1..4 raise LoadError naming name.
  static ProjectFile Read(std::string_view bytes, const std::string& name);
  // The version stored in the first four bytes; raises LoadError when the
  // file is shorter.
  static int32_t VersionOf(std::string_view bytes, const std::string& name);
  std::string Write() const;
};

}  // namespace rivo
