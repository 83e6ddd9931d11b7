#pragma once
// A failure of the machine underneath (no display, no lock folder), as
// opposed to a failure of the game.

#include <stdexcept>
#include <string>

namespace rivo {

class PlatformError : public std::runtime_error {
 public:
  explicit PlatformError(const std::string& what_utf8) : std::runtime_error(what_utf8) {}
};

}  // namespace rivo
