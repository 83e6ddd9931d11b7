#include "host/game_files.h"

#include "common/sjis.h"

namespace rivo {

std::optional<std::filesystem::path> FindInFolder(const std::filesystem::path& folder, std::string_view name) {
  std::error_code ec;
  std::filesystem::path exact = folder / std::string(name);
  if (std::filesystem::exists(exact, ec)) return exact;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (sjis::SameText(it->path().filename().string(), name)) return it->path();
  return std::nullopt;
}

}  // namespace rivo
