#include "media/media_manager.h"

#include <algorithm>

namespace rivo {

TDMediaItem* TMediaManager::Add(std::string_view name) {
  std::unique_ptr<TDMediaItem> item = Create(name);
  item->manager_ = this;
  items_.push_back(std::move(item));
  return items_.back().get();
}

void TMediaManager::Remove(TDMediaItem* item) {
  std::erase_if(items_, [&](const auto& i) { return i.get() == item; });
}

void TMediaManager::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  if (!enabled) {
    Suspend();
    enabled_ = false;
  } else {
    enabled_ = true;
    Resume();
  }
}

void TMediaManager::Suspend() {
  for (const auto& item : items_) {
    if (item->IsPlaying() && !item->IsPaused() && !item->HasRunOut()) {
      item->DoPause();
      item->suspended_ = true;
    }
  }
  suspended_ = true;
}

void TMediaManager::Resume() {
  for (const auto& item : items_) {
    if (!item->suspended_) continue;
    item->suspended_ = false;
    item->DoPlay();
  }
  suspended_ = false;
}

}  // namespace rivo
