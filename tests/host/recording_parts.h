#pragma once
// Subsystem stand-ins that write every call into one shared log, so tests
// can check the order in which the host drives them.

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/player_context.h"
#include "host/player_parts.h"
#include "platform/message_boxes.h"
#include "platform/platform.h"

namespace rivo::testing_host {

using CallLog = std::vector<std::string>;

class RecordingFileManager : public ContentStage {
 public:
  explicit RecordingFileManager(CallLog& log) : log_(log) {}
  ~RecordingFileManager() override { log_.push_back("file manager freed"); }
  void Mount(const GameLocation&) override { log_.push_back("mount"); }
  void Tick(int32_t delta) override { log_.push_back("file manager tick " + std::to_string(delta)); }

 private:
  CallLog& log_;
};

class RecordingScreen : public ScreenStage {
 public:
  explicit RecordingScreen(CallLog& log) : log_(log) {}
  void ProcessInput() override { log_.push_back("input"); }
  void Update() override {
    log_.push_back("update");
    if (throw_in_update) throw std::runtime_error("broken object");
  }
  Composed Compose(TCustomDIBX& back_buffer) override {
    log_.push_back("compose");
    back_buffer.SetPixel(0, 0, 0x00FFFFFF);
    return {{{0, 0, 1, 1}}, {}};
  }
  void InvalidateAll() override { log_.push_back("invalidate all"); }
  void ReleaseSurfaces() override { log_.push_back("release surfaces"); }
  void RestoreSurfaces() override { log_.push_back("restore surfaces"); }
  void ClearChangedRects() override { log_.push_back("clear rects"); }
  void ClearKeys() override { log_.push_back("clear keys"); }
  void MarkKeyPressed(int code) override { log_.push_back("key pressed " + std::to_string(code)); }

  bool throw_in_update = false;

 private:
  CallLog& log_;
};

class RecordingProject : public ProjectStage {
 public:
  explicit RecordingProject(CallLog& log, PlayerContext& ctx) : log_(log), ctx_(ctx) {}
  std::string Title() const override { return "\x83\x65\x83\x58\x83\x67"; }  // "テスト" in CP932
  int32_t ScreenWidth() const override { return 8; }
  int32_t ScreenHeight() const override { return 6; }
  void Step() override {
    log_.push_back("interpreter");
    if (terminate_in_step) ctx_.Terminating = true;
    if (!box_in_step.empty())
      ctx_.platform->Boxes().Show("T", box_in_step, MessageButtons::kOk, MessageIcon::kWarning);
  }
  bool RunPendingLoad() override {
    log_.push_back("load");
    bool loaded = load_next;
    load_next = false;
    return loaded;
  }
  void RunPendingSave() override { log_.push_back("save"); }

  bool terminate_in_step = false;
  bool load_next = false;
  std::string box_in_step;  // a message box shown on every step


 private:
  CallLog& log_;
  PlayerContext& ctx_;
};

class RecordingMedia : public MediaStage {
 public:
  explicit RecordingMedia(CallLog& log) : log_(log) {}
  void UpdateVideo() override { log_.push_back("video"); }
  void Pause() override { log_.push_back("media pause"); }
  void Resume() override { log_.push_back("media resume"); }

 private:
  CallLog& log_;
};

class RecordingPart : public PlayerPart {
 public:
  RecordingPart(CallLog& log, std::string name) : log_(log), name_(std::move(name)) {}
  ~RecordingPart() override { log_.push_back(name_ + " freed"); }

 private:
  CallLog& log_;
  std::string name_;
};

// Parts whose project starts (unless fail_project), each recording its calls.
class RecordingParts : public PlayerParts {
 public:
  explicit RecordingParts(CallLog& log) : log_(log) {}

  std::unique_ptr<ContentStage> CreateFileManager(PlayerContext&) override {
    log_.push_back("file manager");
    return std::make_unique<RecordingFileManager>(log_);
  }
  std::unique_ptr<PlayerPart> CreateVariables(PlayerContext&) override {
    log_.push_back("variables");
    return std::make_unique<RecordingPart>(log_, "variables");
  }
  std::unique_ptr<PlayerPart> CreateSystemFunctions(PlayerContext&) override {
    log_.push_back("system functions");
    return std::make_unique<RecordingPart>(log_, "system functions");
  }
  std::unique_ptr<ScreenStage> CreateScreen(PlayerContext&) override {
    auto screen = std::make_unique<RecordingScreen>(log_);
    screen_ = screen.get();
    return screen;
  }
  std::unique_ptr<ProjectStage> CreateProject(PlayerContext& ctx) override {
    if (fail_project) return PlayerParts::CreateProject(ctx);
    auto project = std::make_unique<RecordingProject>(log_, ctx);
    project->box_in_step = box_in_project_step;
    project_ = project.get();
    return project;
  }
  std::unique_ptr<MediaStage> CreateMedia(PlayerContext&, int32_t w, int32_t h) override {
    log_.push_back("media " + std::to_string(w) + "x" + std::to_string(h));
    return std::make_unique<RecordingMedia>(log_);
  }

  bool fail_project = false;
  std::string box_in_project_step;  // the text of a box the project shows on every step
  RecordingScreen* screen_ = nullptr;
  RecordingProject* project_ = nullptr;

 private:
  CallLog& log_;
};

}  // namespace rivo::testing_host
