#pragma once
// The subsystems the host drives, seen from the host: what it creates at
// start-up, calls in every frame tick, and frees at shutdown. Each subsystem
// plugs in by implementing its interface here and creating it from a
// PlayerParts. The defaults do nothing, and the default project says that
// no game can be played, which is the truth until the project loader exists.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/game_location.h"
#include "graphics/dibx.h"
#include "graphics/rect.h"
#include "host/screen_input.h"

namespace rivo {

struct PlayerContext;

// The virtual file manager (TVrFileManager).
class ContentStage {
 public:
  virtual ~ContentStage() = default;
  // Start-up: the empty source 0 for memory entries, the base folder, then
  // every game.dat of the GAME arguments (and an archive carried by an .exe).
  virtual void Mount(const GameLocation& game) {}
  // Every tick: counts delayed releases of temporary copies down and deletes
  // the deferred temporary files.
  virtual void Tick(int32_t frame_delta_ms) {}
};

// The screen (TRivoBaseList) with its two bases and companions.
class ScreenStage : public ScreenInput {
 public:
  void SetButtonsHeld(bool, bool) override {}
  void SetButtonsPressed(bool, bool) override {}
  void UpdateMouse(int32_t, int32_t) override {}
  void SetWheel(bool) override {}
  void SetKeyDown(int, bool) override {}
  void MarkKeyPressed(int) override {}
  void ClearKeys() override {}

  // The project's screen size, once the project is read.
  virtual void SetScreenSize(int32_t width, int32_t height) {}
  // The tick's input step: key and mouse state into object events.
  virtual void ProcessInput() {}
  // The update of every runtime object.
  virtual void Update() {}
  // What a composition leaves for the screen manager to show: the dirty
  // rectangles of the shown base, and the rectangle a running transition
  // changed (empty when none runs; it wins over the dirty rectangles).
  struct Composed {
    std::vector<TRect> dirty;
    TRect present_rect;
  };
  // Draws both bases (and a running transition) into the back buffer.
  virtual Composed Compose(TDIBX& back_buffer) { return {}; }
  // The test switch --invalidate-all: before composing, both bases are
  // marked dirty all over, so a frame shows what a full redraw would.
  virtual void InvalidateAll() {}
  // Around a display change: every surface the screen made is given up,
  // then made again and everything is redrawn.
  virtual void ReleaseSurfaces() {}
  virtual void RestoreSurfaces() {}
  // After presentation: empties the changed-rectangle lists of both bases.
  virtual void ClearChangedRects() {}
};

// The running project (TProject) with its interpreter.
class ProjectStage {
 public:
  virtual ~ProjectStage() = default;
  virtual std::string Title() const { return {}; }  // CP932
  virtual int32_t ScreenWidth() const { return 640; }
  virtual int32_t ScreenHeight() const { return 480; }
  // The preferred full-screen size; 0 x 0 when the project gives none.
  virtual int32_t FullScreenWidth() const { return 0; }
  virtual int32_t FullScreenHeight() const { return 0; }
  // One interpreter step.
  virtual void Step() {}
  // The pending game load; true when a game was loaded.
  virtual bool RunPendingLoad() { return false; }
  virtual void RunPendingSave() {}
};

// The media managers, the screen manager and the video manager.
class MediaStage {
 public:
  virtual ~MediaStage() = default;
  // After each presentation, when a video manager exists.
  virtual void UpdateVideo() {}
  // Focus lost / gained: the managers that are enabled pause and resume.
  virtual void Pause() {}
  virtual void Resume() {}
};

// Something that only has to live from its start-up step to its shutdown
// step (the variable store, the system function manager).
class PlayerPart {
 public:
  virtual ~PlayerPart() = default;
};

class PlayerParts {
 public:
  virtual ~PlayerParts() = default;
  // As soon as the game's settings are read: work that MediaInit will need
  // may start on a worker thread meanwhile.
  virtual void PrepareMedia(PlayerContext& ctx) {}
  // Program initialisation, before anything else.
  virtual std::unique_ptr<ContentStage> CreateFileManager(PlayerContext& ctx);
  virtual std::unique_ptr<PlayerPart> CreateVariables(PlayerContext& ctx);
  virtual std::unique_ptr<PlayerPart> CreateSystemFunctions(PlayerContext& ctx);
  // "RivoInitialize".
  virtual std::unique_ptr<ScreenStage> CreateScreen(PlayerContext& ctx);
  // "TProject.Create". A project that cannot start reports why (a message
  // box) and sets ctx.Terminating; it may return nullptr then.
  virtual std::unique_ptr<ProjectStage> CreateProject(PlayerContext& ctx);
  // "MediaInit", with the project's screen size.
  virtual std::unique_ptr<MediaStage> CreateMedia(PlayerContext& ctx, int32_t width, int32_t height);
  // The last step before the first tick, once the window is open: work
  // begun ahead for the game's first screen may be waited for here.
  virtual void AwaitFirstScene(PlayerContext& ctx) {}
};

}  // namespace rivo
