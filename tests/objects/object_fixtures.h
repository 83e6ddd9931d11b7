#pragma once
// Small helpers for the object tests: a screen on a clock the test turns,
// property reads and writes by id with plain values, and a control whose
// zoom, flips and scroll the test sets.

#include <memory>
#include <string>

#include "objects/property_dispatch.h"
#include "objects/rivo_base_list.h"
#include "objects/rivo_control.h"
#include "script/typed_params.h"

namespace rivo::test {

struct TestClock : ScreenClock {
  int32_t elapsed = 0;
  int32_t delta = 16;
  int32_t ElapsedMs() const override { return elapsed; }
  int32_t FrameDeltaMs() const override { return delta; }
};

// A screen and the clock it runs on.
struct Screen {
  TestClock clock;
  TRivoBaseList screen{&clock};

  void Tick(int count = 1) {
    for (int i = 0; i < count; ++i) {
      clock.elapsed += clock.delta;
      screen.Tick();
    }
  }
};

inline int32_t GetInt(const TRivoObject& o, int32_t id) {
  TParamInt v;
  GetPropById(o, id, v);
  return v.AsInt();
}
inline std::string GetStr(const TRivoObject& o, int32_t id) {
  TParamStr v;
  GetPropById(o, id, v);
  return v.AsStr();
}
inline void SetInt(TRivoObject& o, int32_t id, int32_t value) {
  TParamInt v;
  v.SetInt(value);
  SetPropById(o, id, v);
}
inline void SetStr(TRivoObject& o, int32_t id, const std::string& value) {
  TParamStr v;
  v.SetStr(value);
  SetPropById(o, id, v);
}

// A control with the zoom, flips and scrolling of image kinds, set directly.
class ShapedControl : public TRivoControl {
 public:
  using TRivoControl::TRivoControl;
  int32_t GetZoomX() const override { return zoom_x; }
  int32_t GetZoomY() const override { return zoom_y; }
  bool GetFlipH() const override { return flip_h; }
  bool GetFlipV() const override { return flip_v; }
  int32_t GetScrollX() const override { return scroll_x; }
  int32_t GetScrollY() const override { return scroll_y; }
  // A saved control of a kind the player has (a cabinet's record is the
  // plain control record).
  int32_t GetCompoType() const override { return LT_CABINET; }

  int32_t zoom_x = 256, zoom_y = 256;
  bool flip_h = false, flip_v = false;
  int32_t scroll_x = 0, scroll_y = 0;
};

// A control in the active base.
template <typename T = ShapedControl>
T& NewControl(TRivoBaseList& screen, const std::string& name = {}, TRivoControl* parent = nullptr) {
  T& c = screen.Create<T>();
  if (!name.empty()) c.SetName(name);
  c.SetParent(parent ? parent : &screen.ActiveBase());
  return c;
}

}  // namespace rivo::test
