#include "host/frame_tick.h"

#include <exception>

#include "common/numbers.h"
#include "host/player_context.h"
#include "media/screen_manager.h"
#include "platform/message_boxes.h"
#include "platform/window.h"

namespace rivo {
namespace {

template <typename Stage>
void Guarded(PlayerContext& ctx, const char* name, Stage&& stage) {
  try {
    stage();
  } catch (const std::exception& e) {
    *ctx.log << "rivoplay: " << name << ": " << e.what() << "\n";
  } catch (const AbandonedRun&) {
    throw;  // the run ends: not a stage's error
  } catch (...) {
    *ctx.log << "rivoplay: " << name << ": unknown error\n";
  }
}

}  // namespace

bool RunFrameTick(PlayerContext& ctx, const TickStages& s) {
  if (!s.project) return false;
  if (s.file_manager) Guarded(ctx, "file manager", [&] { s.file_manager->Tick(ctx.FrameDeltaMs); });
  if (s.screen) Guarded(ctx, "screen input", [&] { s.screen->ProcessInput(); });
  Guarded(ctx, "interpreter", [&] { s.project->Step(); });
  if (ctx.Terminating) return false;
  if (s.screen) Guarded(ctx, "object update", [&] { s.screen->Update(); });
  ctx.UpdateCount = WrapAdd(ctx.UpdateCount, 1);
  bool loaded = false;
  Guarded(ctx, "game load", [&] { loaded = s.project->RunPendingLoad(); });
  Guarded(ctx, "game save", [&] { s.project->RunPendingSave(); });
  // The loaded game's first frame is drawn on the next tick, after its objects have updated once.
  if (loaded) ctx.PresentSkip = 1;
  if (ctx.PresentSkip > 0) {
    --ctx.PresentSkip;
    return false;
  }
  int32_t divider = ctx.FrameDivider > 0 ? ctx.FrameDivider : 1;
  ctx.FrameCounter = (ctx.FrameCounter + 1) % divider;
  if (ctx.FrameCounter != 0) return false;
  ScreenStage::Composed frame;
  if (s.screen && s.screen_manager) {
    Guarded(ctx, "composition", [&] {
      if (ctx.options.invalidate_all) s.screen->InvalidateAll();
      frame = s.screen->Compose(s.screen_manager->DrawSurface());
    });
  }
  if (s.screen_manager) Guarded(ctx, "presentation", [&] { s.screen_manager->Present(frame.dirty, frame.present_rect); });
  if (s.screen) Guarded(ctx, "changed rectangles", [&] { s.screen->ClearChangedRects(); });
  if (s.media) Guarded(ctx, "video manager", [&] { s.media->UpdateVideo(); });
  return true;
}

}  // namespace rivo
