#pragma once
// Pictures made ready ahead of need: the image cache asks here before it
// reads and decodes a file for a new entry itself. What is handed over
// must be exactly what the cache's own load would make (the same bytes
// through the same decoder with the same identification code, turned into
// frames by TOrbaCollection::Prepare); anything else, or a picture that
// failed ahead, is simply not there, so that the cache's own load reports
// errors as always.

#include <cstdint>
#include <optional>
#include <string>

#include "graphics/orba_collection.h"

namespace rivo {

class TPreparedPictures {
 public:
  virtual ~TPreparedPictures() = default;
  // The file's frames made with the identification code, taken out of the
  // store; nothing when they were not made ahead. May wait for a picture
  // already under way.
  virtual std::optional<TPreparedPicture> TakePrepared(const std::string& name, int32_t identification_code) = 0;
  // A picture taken here that the cache lets go of, as it was taken (the
  // cache never draws into its pictures): kept for the next entry that
  // wants the file while the coming scenes name it, and otherwise freed by
  // the thread that made it.
  virtual void GiveBack(const std::string& name, TPreparedPicture picture) = 0;
  // The cache holds the file's pictures from now on (held) or no longer:
  // no need to make them ahead while they are held.
  virtual void SetHeld(const std::string& name, bool held) = 0;
};

}  // namespace rivo
