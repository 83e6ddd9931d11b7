#include "content/content_path_resolver.h"

#include <algorithm>
#include <system_error>

#include "common/encoding.h"
#include "common/sjis.h"

namespace rivo {

namespace fs = std::filesystem;

namespace {

bool Exists(const fs::path& p) {
  std::error_code ec;
  return fs::exists(p, ec);
}

}  // namespace

std::optional<std::vector<std::string>> TContentPathResolver::Components(std::string_view name) {
  if (name.empty() || name.find('\0') != std::string_view::npos) return std::nullopt;
  if (name[0] == '\\' || name[0] == '/' || (name.size() >= 2 && name[1] == ':')) return std::nullopt;
  std::vector<std::string> parts;
  std::string current;
  auto finish = [&]() -> bool {
    if (current == "..") {
      if (parts.empty()) return false;
      parts.pop_back();
    } else if (!current.empty() && current != ".") {
      parts.push_back(current);
    }
    current.clear();
    return true;
  };
  for (std::size_t i = 0; i < name.size();) {
    std::size_t n = sjis::CharSize(name, i);
    if (n == 1 && (name[i] == '\\' || name[i] == '/')) {
      if (!finish()) return std::nullopt;
    } else {
      current.append(name.substr(i, n));
    }
    i += n;
  }
  if (!finish() || parts.empty()) return std::nullopt;
  return parts;
}

std::string TContentPathResolver::HostName(std::string_view component) { return Cp932ToUtf8(component); }

std::optional<fs::path> TContentPathResolver::Resolve(const fs::path& folder, std::string_view name) {
  auto parts = Components(name);
  if (!parts) return std::nullopt;
  fs::path utf8 = folder;
  bool raw_differs = false;
  for (const std::string& part : *parts) {
    std::string host = HostName(part);
    raw_differs = raw_differs || host != part;
    utf8 /= host;
  }
  if (Exists(utf8)) return utf8;
  // Most names are ASCII, their two forms one path: each existence check is
  // a system call, made once per path (a name not there, the common case of
  // a game's loose files, costs two instead of five).
  if (raw_differs) {
    fs::path raw = folder;
    for (const std::string& part : *parts) raw /= part;
    if (Exists(raw)) return raw;
  }
  fs::path dir = folder;
  for (const std::string& part : *parts) {
    // A name of one component was just tried in both forms.
    auto next = Step(dir, part, parts->size() > 1);
    if (!next) return std::nullopt;
    dir = std::move(*next);
  }
  return dir;
}

std::optional<fs::path> TContentPathResolver::Step(const fs::path& dir, const std::string& part, bool try_forms) {
  if (try_forms) {
    const std::string host = HostName(part);
    fs::path utf8 = dir / host;
    if (Exists(utf8)) return utf8;
    if (host != part) {
      fs::path raw = dir / part;
      if (Exists(raw)) return raw;
    }
  }
  for (const auto& [host, cp932] : ListingOf(dir).entries)
    if (sjis::SameText(cp932, part) || sjis::SameText(host, part)) return dir / host;
  return std::nullopt;
}

const TContentPathResolver::Listing& TContentPathResolver::ListingOf(const fs::path& dir) {
  std::error_code ec;
  fs::file_time_type time = fs::last_write_time(dir, ec);
  auto it = cache_.find(dir.native());
  if (it != cache_.end() && !ec && it->second.time == time) return it->second;
  Listing listing;
  listing.time = time;
  for (fs::directory_iterator i(dir, ec), end; !ec && i != end; i.increment(ec)) {
    std::string host = i->path().filename().string();
    listing.entries.emplace_back(host, Utf8ToCp932(host));
  }
  // Directory order differs between file systems; sorted, the choice among
  // names that differ only in case is the same everywhere.
  std::sort(listing.entries.begin(), listing.entries.end());
  return cache_[dir.native()] = std::move(listing);
}

}  // namespace rivo
