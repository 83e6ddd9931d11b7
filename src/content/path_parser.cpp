#include "content/path_parser.h"

#include "common/sjis.h"

namespace rivo {

TPathParser::TPathParser(std::string_view folder) {
  std::string f = sjis::UpperCase(folder);
  if (f.empty() || sjis::LastDelimiter("\\", f) != f.size() - 1) f += '\\';
  std::size_t start = 0;
  if (f.size() >= 2 && f[0] == '\\' && f[1] == '\\') {
    // "\\server\": up to the first "\" from the third character on.
    std::size_t at = 2;
    while (at < f.size() && !(f[at] == '\\' && !sjis::IsTrailByteAt(f, at))) at += sjis::CharSize(f, at);
    start = at + 1;
    has_root_ = true;
  } else if (f.size() >= 3 && f[1] == ':') {
    start = 3;
    has_root_ = true;
  }
  if (has_root_) components_.push_back(f.substr(0, start));
  std::string current;
  for (std::size_t i = start; i < f.size();) {
    std::size_t n = sjis::CharSize(f, i);
    current.append(f, i, n);
    if (n == 1 && f[i] == '\\') {
      components_.push_back(std::move(current));
      current.clear();
    }
    i += n;
  }
}

bool TPathParser::DropLast() {
  if (components_.size() <= (has_root_ ? 1u : 0u)) return false;
  components_.pop_back();
  return true;
}

std::string TPathParser::Join() const {
  std::string out;
  for (const std::string& c : components_) out += c;
  return out;
}

std::string ResolvePath(std::string_view name, std::string_view folder) {
  if (name.size() == 1 || (!name.empty() && name[0] == '\\') || (name.size() >= 2 && name[1] == ':'))
    return std::string(name);
  if (name.substr(0, 3) != "..\\") return std::string(folder) + std::string(name);
  TPathParser parser(folder);
  // "\" (a root-less folder that was empty) is no component to keep.
  if (!parser.HasRoot() && parser.Components().size() == 1 && parser.Components()[0] == "\\") parser.DropLast();
  while (name.substr(0, 3) == "..\\") {
    parser.DropLast();
    name.remove_prefix(3);
  }
  return parser.Join() + std::string(name);
}

}  // namespace rivo
