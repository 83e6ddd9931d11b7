#include "media/media_item.h"

#include <algorithm>

#include "media/media_manager.h"

namespace rivo {

void TDMediaItem::SetPosition(int32_t ms) {
  end_reported_ = false;
  DoSetPosition(std::max(ms, 0));
}

bool TDMediaItem::IsEnd() {
  if (!HasRunOut()) {
    end_reported_ = false;
    return false;
  }
  if (end_reported_) return false;
  end_reported_ = true;
  return true;
}

void TDMediaItem::Play() {
  if (manager_ && !manager_->Enabled()) {
    suspended_ = true;
    return;
  }
  DoPlay();
}

void TDMediaItem::Pause() {
  suspended_ = false;
  DoPause();
}

}  // namespace rivo
