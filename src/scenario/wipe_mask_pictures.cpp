#include "scenario/wipe_mask_pictures.h"

#include "graphics/orba_frame_list.h"

namespace rivo {

std::optional<TDIBSurface> TWipeMaskPictures::FindMaskPicture(const std::string& name) const {
  try {
    if (name.empty() || !host_.FileExists(name)) return std::nullopt;
    TOrbaFrameList list(key_);
    list.LoadPicture(host_.ReadFile(name), name, true);
    if (list.Count() == 0) return std::nullopt;
    return std::move(list.Frames(0).surface);
  } catch (const std::exception& e) {
    host_.Log(std::string("a transition's mask picture cannot be read: ") + e.what());
    return std::nullopt;
  }
}

}  // namespace rivo
