#pragma once
// TMediaManager: creates, owns and frees the items of one player kind, and
// silences them all at once: Suspend pauses what plays and marks it, Resume
// plays exactly the marked items. SetEnabled (behind "@SoundON") suspends
// on the way off and resumes on the way on.

#include <memory>
#include <string_view>
#include <vector>

#include "media/media_item.h"

namespace rivo {

class TMediaManager {
 public:
  virtual ~TMediaManager() = default;

  // The new item, owned by the manager. Raises the file manager's error for
  // a missing file and "サウンドデータが不正です" for data no decoder takes.
  TDMediaItem* Add(std::string_view name);
  void Remove(TDMediaItem* item);
  std::size_t Count() const { return items_.size(); }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Suspended() const { return suspended_; }
  void Suspend();
  void Resume();

 protected:
  virtual std::unique_ptr<TDMediaItem> Create(std::string_view name) = 0;
  // Frees every item; managers whose items use their resources call it
  // before freeing those.
  void Clear() { items_.clear(); }
  const std::vector<std::unique_ptr<TDMediaItem>>& Items() const { return items_; }

 private:
  std::vector<std::unique_ptr<TDMediaItem>> items_;
  bool enabled_ = true;
  bool suspended_ = false;
};

}  // namespace rivo
