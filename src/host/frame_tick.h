#pragma once
// One frame tick, in the engine's fixed order: file manager, screen input,
// interpreter, object update, pending load and save, and on drawing ticks
// composition and presentation. A stage that throws is logged and the tick
// goes on: no exception leaves a tick.

#include "host/player_parts.h"

namespace rivo {

struct PlayerContext;
class TScreenManager;

struct TickStages {
  ContentStage* file_manager = nullptr;
  ScreenStage* screen = nullptr;
  ProjectStage* project = nullptr;
  MediaStage* media = nullptr;
  TScreenManager* screen_manager = nullptr;  // composes into its drawing surface and presents
};

// Returns true when the tick composed and presented a frame.
bool RunFrameTick(PlayerContext& ctx, const TickStages& stages);

}  // namespace rivo
