#pragma once
// The screen as the host drives it: the runtime objects' TRivoBaseList on
// the player's game clock, updated once a tick. Input and drawing build on
// it (the ScreenStage hooks it does not override yet do nothing).

#include "host/player_context.h"
#include "host/player_parts.h"
#include "objects/rivo_base_list.h"

namespace rivo {

class GameScreen : public ScreenStage, private ScreenClock {
 public:
  explicit GameScreen(const PlayerContext& ctx) : ctx_(ctx), screen_(this) {}

  TRivoBaseList& Screen() { return screen_; }
  void Update() override { screen_.Tick(); }

 private:
  int32_t ElapsedMs() const override { return ctx_.ElapsedMs; }
  int32_t FrameDeltaMs() const override { return ctx_.FrameDeltaMs; }

  const PlayerContext& ctx_;
  TRivoBaseList screen_;
};

}  // namespace rivo
