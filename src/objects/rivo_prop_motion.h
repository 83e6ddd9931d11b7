#pragma once
// TRivoPropMotion: moves one numeric property of another object to a
// target value over a duration, linearly or along a quarter sine that
// speeds up (MT_INC) or slows down (MT_DEC). It reads the start value on
// its first tick, writes the value as a real every tick (the property's
// kind converts it) and goes when the duration is over or its target does.

#include <string>

#include "objects/rivo_object.h"

namespace rivo {

class TRivoPropMotion : public TRivoComponent {
 public:
  static constexpr int32_t kNoProperty = 255;

  explicit TRivoPropMotion(TRivoBaseList& owner) : TRivoComponent(owner) {}

  static const PropertyAccessors& ClassProperties();
  const PropertyAccessors& Properties() const override { return ClassProperties(); }
  int32_t GetCompoType() const override { return LT_PROPMOTION; }
  bool IsPaused() const override { return paused_; }

  bool GetPaused() const { return paused_; }
  void SetPaused(bool on) { paused_ = on; }

  // What the PropMotion command sets.
  std::string TargetName;
  int32_t PropertyId = kNoProperty;
  long double TargetValue = 0;
  int32_t Duration = 0;
  int32_t Kind = MT_NORMAL;

  // The value at the current elapsed time.
  long double ValueAt(int32_t elapsed) const;

  bool Tick() override;
  void SaveToStream(ByteWriter& out) const override;
  void LoadFromStream(ByteReader& in, int32_t version) override;

 private:
  // Finds the target and reads the start value; false ends the motion.
  bool Start();

  ObjectHandle target_;
  bool started_ = false;
  long double start_value_ = 0;
  int32_t elapsed_ = 0;
  bool paused_ = false;
};

}  // namespace rivo
