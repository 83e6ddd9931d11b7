#pragma once
// The game load and save the GameLoad and GameSave commands ask for. The
// project carries them out at the end of the tick, outside the
// interpreter: a load first, then a save.

#include <cstdint>
#include <string>

namespace rivo {

struct PendingRequests {
  static constexpr int32_t kNone = -1;

  int32_t load = kNone;  // the slot to load
  int32_t save = kNone;  // the slot to save into, with:
  std::string save_caption;
  std::string save_load_page;  // the page a load of this save runs first
  int32_t save_load_index = 0;
};

}  // namespace rivo
