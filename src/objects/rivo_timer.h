#pragma once
// TRivoTimer: raises PR_ONNOTIFY every PR_DELAY milliseconds of game time.
// A late timer catches up one interval per tick and never queues a second
// entry while one waits; with PR_AUTOSCRAP it goes once it has fired and
// its entry has been taken.

#include <string>

#include "objects/rivo_object.h"

namespace rivo {

class TRivoTimer : public TRivoComponent {
 public:
  explicit TRivoTimer(TRivoBaseList& owner) : TRivoComponent(owner) {}

  static const PropertyAccessors& ClassProperties();
  const PropertyAccessors& Properties() const override { return ClassProperties(); }
  int32_t GetCompoType() const override { return LT_TIMER; }
  bool IsPaused() const override { return paused_; }

  const std::string& GetOnNotify() const { return on_notify_; }
  void SetOnNotify(std::string_view page);
  // Negative: the timer stands still.
  int32_t GetInterval() const { return interval_; }
  void SetInterval(int32_t ms);
  bool GetPaused() const { return paused_; }
  void SetPaused(bool on);
  bool GetAutoScrap() const { return auto_scrap_; }
  void SetAutoScrap(bool on) { auto_scrap_ = on; }
  bool Fired() const { return fired_; }

  bool Tick() override;
  void Created() override;
  void SaveToStream(ByteWriter& out) const override;
  void LoadFromStream(ByteReader& in, int32_t version) override;

 private:
  // Drops the waiting entries and counts the interval from now.
  void Restart();

  std::string on_notify_;
  int32_t interval_ = 0;
  bool paused_ = false;
  bool auto_scrap_ = false;
  bool fired_ = false;
  int32_t start_ = 0;
};

}  // namespace rivo
