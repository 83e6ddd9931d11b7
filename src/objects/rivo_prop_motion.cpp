#include "objects/rivo_prop_motion.h"

#include <cmath>
#include <numbers>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "objects/property_dispatch.h"
#include "objects/rivo_base_list.h"
#include "script/typed_params.h"

namespace rivo {

const PropertyAccessors& TRivoPropMotion::ClassProperties() {
  static const PropertyAccessors table = [] {
    PropertyAccessors t = TRivoComponent::ClassProperties();
    t.Add<&TRivoPropMotion::GetPaused, &TRivoPropMotion::SetPaused>(PR_PAUSED);
    return t;
  }();
  return table;
}

long double TRivoPropMotion::ValueAt(int32_t elapsed) const {
  if (elapsed == 0) return start_value_;
  const long double t = elapsed;
  const long double d = Duration;
  const long double span = TargetValue - start_value_;
  constexpr long double kPi = std::numbers::pi_v<long double>;
  switch (Kind) {
    case MT_INC: return TargetValue - std::sin((d - t - 1) * kPi / (2 * d)) * span;
    case MT_DEC: return start_value_ + std::sin(t * kPi / (2 * d)) * span;
    default: return start_value_ + span * t / d;
  }
}

bool TRivoPropMotion::Start() {
  started_ = true;
  TRivoObject* target = TargetName.empty() ? nullptr : Owner().FindObjectByName(TargetName);
  if (!target || PropertyId < 0 || PropertyId >= kPropertyCount) return false;
  target_ = target->Handle();
  // A motion restored from a save goes on from its saved start.
  if (elapsed_ == 0) {
    TParamFloat value;
    GetPropById(*target, PropertyId, value);
    start_value_ = value.AsFloat();
  }
  return true;
}

bool TRivoPropMotion::Tick() {
  if (paused_) return false;
  if (!started_ && !Start()) return true;
  TRivoObject* target = Owner().Resolve(target_);
  if (!target) return true;
  const bool last = elapsed_ != 0 && int64_t{elapsed_} >= int64_t{Duration} - 1;
  TParamFloat value;
  value.SetFloat(last ? TargetValue : ValueAt(elapsed_));
  try {
    SetPropById(*target, PropertyId, value);
  } catch (const std::exception&) {
    return true;  // a property that refuses writes ends the motion
  }
  elapsed_ = static_cast<int32_t>(std::min<int64_t>(int64_t{elapsed_} + Owner().FrameDeltaMs(), INT32_MAX));
  return last;
}

void TRivoPropMotion::SaveToStream(ByteWriter& out) const {
  TRivoComponent::SaveToStream(out);
  const TRivoObject* target = Owner().Resolve(target_);
  out.String(started_ ? (target ? target->GetName() : std::string()) : TargetName);
  out.I32(PropertyId);
  out.Extended(TargetValue);
  out.I32(Duration);
  out.I32(Kind);
  out.Extended(start_value_);
  out.I32(elapsed_);
  out.Bool(paused_);
}

void TRivoPropMotion::LoadFromStream(ByteReader& in, int32_t version) {
  TRivoComponent::LoadFromStream(in, version);
  TargetName = in.String();
  PropertyId = in.I32();
  TargetValue = in.Extended();
  Duration = in.I32();
  Kind = in.I32();
  start_value_ = in.Extended();
  elapsed_ = in.I32();
  paused_ = in.Bool();
  started_ = false;
}

}  // namespace rivo
