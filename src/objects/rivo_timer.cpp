#include "objects/rivo_timer.h"

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "objects/rivo_base_list.h"

namespace rivo {

const PropertyAccessors& TRivoTimer::ClassProperties() {
  static const PropertyAccessors table = [] {
    PropertyAccessors t = TRivoComponent::ClassProperties();
    t.Add<&TRivoTimer::GetInterval, &TRivoTimer::SetInterval>(PR_DELAY);
    t.Add<&TRivoTimer::GetPaused, &TRivoTimer::SetPaused>(PR_PAUSED);
    t.Add<&TRivoTimer::GetOnNotify, &TRivoTimer::SetOnNotify>(PR_ONNOTIFY);
    t.Add<&TRivoTimer::GetAutoScrap, &TRivoTimer::SetAutoScrap>(PR_AUTOSCRAP);
    return t;
  }();
  return table;
}

void TRivoTimer::Created() { start_ = Owner().ElapsedMs(); }

void TRivoTimer::Restart() {
  Owner().Events().RemoveWaitingOf(Handle());
  start_ = Owner().ElapsedMs();
}

void TRivoTimer::SetOnNotify(std::string_view page) {
  on_notify_ = page;
  Restart();
}

void TRivoTimer::SetInterval(int32_t ms) {
  interval_ = ms;
  Restart();
}

void TRivoTimer::SetPaused(bool on) {
  paused_ = on;
  Restart();
}

bool TRivoTimer::Tick() {
  if (fired_ && auto_scrap_) return !EventWaits(PR_ONNOTIFY);
  if (interval_ < 0 || paused_) return false;
  const int64_t waited = int64_t{Owner().ElapsedMs()} - start_;
  if (interval_ != 0 && waited < interval_) return false;
  start_ = static_cast<int32_t>(int64_t{start_} + interval_);
  if (!EventWaits(PR_ONNOTIFY)) {
    RaiseEvent(on_notify_, PR_ONNOTIFY);
    fired_ = true;
  }
  return false;
}

void TRivoTimer::SaveToStream(ByteWriter& out) const {
  TRivoComponent::SaveToStream(out);
  out.String(on_notify_);
  out.I32(interval_);
  out.Bool(paused_);
  out.Bool(auto_scrap_);
  out.Bool(fired_);
}

void TRivoTimer::LoadFromStream(ByteReader& in, int32_t version) {
  TRivoComponent::LoadFromStream(in, version);
  on_notify_ = in.String();
  interval_ = in.I32();
  paused_ = in.Bool();
  if (version >= 104) {
    auto_scrap_ = in.Bool();
    fired_ = in.Bool();
  }
  start_ = Owner().ElapsedMs();
}

}  // namespace rivo
