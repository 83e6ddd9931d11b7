#pragma once
// Where the image cache reads its files: the game's virtual file manager in
// the player (which lies in a layer of its own), a folder or a table of
// bytes in tests and tools.

#include <cstdint>
#include <optional>
#include <string>

namespace rivo {

class TImageFileSource {
 public:
  virtual ~TImageFileSource() = default;
  // The whole file named by a content name (CP932), or nothing when the game
  // has no such file.
  virtual std::optional<std::string> ReadImageFile(const std::string& name) = 0;
};

// Who holds a cached image: an opaque id onto which the object model maps
// its handles (id and generation).
enum class TImageOwner : uint64_t {};

}  // namespace rivo
