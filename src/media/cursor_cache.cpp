#include "media/cursor_cache.h"

#include <exception>

#include "content/memory_stream.h"
#include "content/vr_file_manager.h"
#include "graphics/cursor_file.h"

namespace rivo {

void TCursorCache::Show(const std::string& name) {
  if (shown_once_ && name == shown_) return;
  const CursorImage* picture = name.empty() ? nullptr : Load(name);
  if (window_) window_->SetCursor(picture ? name : std::string(), picture);
  shown_ = name;
  shown_once_ = true;
}

bool TCursorCache::Failed(const std::string& name) const {
  auto found = pictures_.find(name);
  return found != pictures_.end() && !found->second;
}

const CursorImage* TCursorCache::Load(const std::string& name) {
  auto found = pictures_.find(name);
  if (found == pictures_.end()) {
    std::optional<CursorImage> picture;
    try {
      if (files_) {
        TQnMemoryStream bytes;
        files_->LoadToStream(bytes, name);
        picture = ReadCursorFile(bytes.ToString(), name);
      }
    } catch (const std::exception&) {
      // A missing or damaged pointer file is no reason to stop the game.
    }
    found = pictures_.emplace(name, std::move(picture)).first;
  }
  return found->second ? &*found->second : nullptr;
}

}  // namespace rivo
