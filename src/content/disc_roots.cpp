#include "content/disc_roots.h"

#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

namespace rivo {

namespace fs = std::filesystem;

namespace {

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

// The mount table writes blanks, tabs, newlines and backslashes in mount
// points as octal escapes ("\040").
std::string Unescape(const std::string& field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && IsOctal(field[i + 1]) && IsOctal(field[i + 2]) &&
        IsOctal(field[i + 3])) {
      out.push_back(static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0')));
      i += 3;
    } else {
      out.push_back(field[i]);
    }
  }
  return out;
}

bool IsFolder(const fs::path& p) {
  std::error_code ec;
  return fs::is_directory(p, ec);
}

}  // namespace

TDiscRoots::TDiscRoots(fs::path mount_table) : mount_table_(std::move(mount_table)) { Rescan(); }

void TDiscRoots::AddRoot(fs::path folder) {
  added_.push_back(std::move(folder));
  Rescan();
}

void TDiscRoots::Rescan() {
  roots_.clear();
  std::ifstream table(mount_table_);
  for (std::string line; std::getline(table, line);) {
    std::istringstream fields(line);
    std::string device, mount_point, type;
    if (!(fields >> device >> mount_point >> type)) continue;
    if (type != "iso9660" && type != "udf") continue;
    fs::path root = Unescape(mount_point);
    if (IsFolder(root)) roots_.push_back(root);
  }
  for (const fs::path& folder : added_)
    if (IsFolder(folder)) roots_.push_back(folder);
}

bool TDiscRoots::Holds(const fs::path& path) const {
  fs::path p = path.lexically_normal();
  for (const fs::path& root : roots_) {
    fs::path relative = p.lexically_relative(root.lexically_normal());
    if (!relative.empty() && *relative.begin() != "..") return true;
  }
  return false;
}

}  // namespace rivo
