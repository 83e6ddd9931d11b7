#include "platform/private_temp_folder.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/platform_error.h"

namespace rivo {

PrivateTempFolder::PrivateTempFolder(const std::filesystem::path& base) {
  std::string pattern = (base / "rivoplay-XXXXXX").string();
  if (!::mkdtemp(pattern.data()))
    throw PlatformError("cannot create a temporary folder in " + base.string() + ": " + std::strerror(errno));
  path_ = pattern;
}

PrivateTempFolder::~PrivateTempFolder() {
  std::error_code ec;  // a destructor must not throw; what cannot be removed stays
  std::filesystem::remove_all(path_, ec);
}

}  // namespace rivo
