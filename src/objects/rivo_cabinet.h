#pragma once
// TRivoCabinet: a control that parks other controls out of sight. It is
// never visible and draws nothing; what is inside keeps its state but is
// neither drawn nor ticked and raises no events (IsInCabinet).

#include "objects/rivo_control.h"

namespace rivo {

class TRivoCabinet : public TRivoControl {
 public:
  explicit TRivoCabinet(TRivoBaseList& owner) : TRivoControl(owner) {}

  int32_t GetCompoType() const override { return LT_CABINET; }
  bool IsCabinet() const override { return true; }
  bool IsVisible() const override { return false; }
  TRivoControl* HitTest(int32_t, int32_t, HitModes) override { return nullptr; }
};

}  // namespace rivo
