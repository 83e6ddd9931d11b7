#pragma once
// Relative names inside content files (menu templates name their pictures
// as "..\img\a.orb") resolved against the folder of the file that names them.

#include <string>
#include <string_view>
#include <vector>

namespace rivo {

// A folder split into components, each with its trailing "\": the folder is
// upper-cased first; a "\\server\" or "d:\" start is one component, the root.
class TPathParser {
 public:
  explicit TPathParser(std::string_view folder);
  const std::vector<std::string>& Components() const { return components_; }
  bool HasRoot() const { return has_root_; }
  // Drops the last component, never the root; false when nothing was left to drop.
  bool DropLast();
  std::string Join() const;

 private:
  std::vector<std::string> components_;
  bool has_root_ = false;
};

// name resolved against folder: names of one character and absolute names
// unchanged; a name without a leading "..\" appended to folder; each
// leading "..\" climbs one folder up. Climbing stops at the top (the game
// folder for a relative folder, the root for an absolute one): further
// "..\" are dropped rather than leading out.
std::string ResolvePath(std::string_view name, std::string_view folder);

}  // namespace rivo
