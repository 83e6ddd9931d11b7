#include "host/player.h"

#include <chrono>
#include <exception>
#include <iostream>

#include "common/encoding.h"
#include "common/error.h"
#include "host/game_files.h"
#include "host/input_router.h"
#include "media/recording_audio_device.h"
#include "platform/message_boxes.h"
#include "platform/png_writer.h"

namespace rivo {

Player::Player(Platform& platform, PlayerParts& parts, PlayerContext ctx)
    : platform_(platform),
      parts_(parts),
      ctx_(std::move(ctx)),
      loop_(ctx_, platform.GetClock(), platform.Events(), platform.TickIntervalMs()) {
  ctx_.platform = &platform_;
  ctx_.display = this;
  if (!ctx_.log) ctx_.log = &std::cerr;
}

Player::~Player() = default;

int Player::Run() {
  // Program initialisation: the file manager exists before the window.
  file_manager_ = parts_.CreateFileManager(ctx_);
  int code = kExitCannotStart;
  try {
    StartUp();
    if (!ctx_.Terminating) {
      ClockLoop::Hooks hooks{
          .on_event = [this](const InputEvent& e) { HandleInput(e); },
          .on_tick =
              [this] {
                TickStages stages{file_manager_.get(), screen_.get(), project_.get(), media_.get(),
                                  screen_manager_.get()};
                if (RunFrameTick(ctx_, stages)) frame_composed_ = true;
              },
          .stopping = [this] { return ctx_.close_requested; },
      };
      loop_.Run(hooks, ctx_.options.ticks);
      code = ctx_.exit_code;
    }
  } catch (const AbandonedRun& abandoned) {
    // Nobody answers the boxes of this run: it ends here, wherever it stood.
    *ctx_.log << "rivoplay: " << abandoned.reason << "\n";
    code = kExitCannotStart;
  }
  ctx_.Terminating = true;
  WriteScreenshot();
  ShutdownPlayer();
  FinishProgram();
  return code;
}

// The window's creation: FormCreate.
void Player::StartUp() {
  // The trace of an earlier run, and only in the game folder.
  if (std::optional<std::filesystem::path> log = FindInFolder(ctx_.game.folder, "rivoplay.log")) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(*log, ec)) std::filesystem::remove(*log, ec);
  }
  ctx_.random_seed = ctx_.options.seed.value_or(
      static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
  ctx_.settings = LoadSettings(ctx_.game.folder);
  if (!ctx_.options.sound_font.empty()) ctx_.settings.SoundFont = ctx_.options.sound_font;
  parts_.PrepareMedia(ctx_);
  try {
    file_manager_->Mount(ctx_.game);
    variables_ = parts_.CreateVariables(ctx_);
    system_functions_ = parts_.CreateSystemFunctions(ctx_);
    InitPlayer();
  } catch (const std::exception& e) {
    platform_.Boxes().Show("警告", e.what(), MessageButtons::kOk, MessageIcon::kWarning);
    ctx_.Terminating = true;
  }
}

void Player::InitPlayer() {
  ctx_.Trace("DXSound.Initialize");
  // One sound device serves every path, the wave output of DirectSound off too.
  audio_ = platform_.OpenAudio();
  if (ctx_.audio_out) {
    if (audio_->Pull() == AudioPull::kNone) *ctx_.log << "rivoplay: no sound device plays; the sound file stays empty\n";
    audio_ = std::make_unique<RecordingAudioDevice>(std::move(audio_), *ctx_.audio_out);
  }
  ctx_.audio = audio_.get();
  ctx_.Trace("RivoInitialize");
  screen_ = parts_.CreateScreen(ctx_);
  ctx_.Trace("TProject.Create");
  project_ = parts_.CreateProject(ctx_);
  if (!project_) ctx_.Terminating = true;
  // A project that failed has said why; no window comes up for it.
  if (ctx_.Terminating) return;
  int32_t width = project_->ScreenWidth();
  int32_t height = project_->ScreenHeight();
  screen_->SetScreenSize(width, height);
  ctx_.Trace("MediaInit");
  media_ = parts_.CreateMedia(ctx_, width, height);
  // The display always works at 32 bits, so the colour tables have nothing to adapt to.
  ctx_.Trace("RivoInitColor");
  WindowSpec spec;
  spec.screen_width = width;
  spec.screen_height = height;
  if (std::string title = project_->Title(); !title.empty()) spec.title_utf8 = Cp932ToUtf8(title);
  spec.scale = ctx_.options.scale;
  try {
    window_ = platform_.OpenWindow(spec);
  } catch (const std::exception& e) {
    throw RivoError(std::string("ウィンドウを作成できません (") + e.what() + ")");
  }
  ctx_.window = window_.get();
  // The screen manager belongs to the media start-up; it needs the window
  // to show anything, so it comes right after it.
  screen_manager_ = std::make_unique<TScreenManager>(platform_.DisplayModes(), window_.get(), width, height,
                                                     project_->FullScreenWidth(), project_->FullScreenHeight());
  ctx_.screen_manager = screen_manager_.get();
  if (ctx_.options.full_screen) SetFullScreen(true);
  parts_.AwaitFirstScene(ctx_);
  ctx_.LastTickTime = platform_.GetClock().NowMs();
}

void Player::ShutdownPlayer() {
  ctx_.Trace("Project.Free");
  project_.reset();
  ctx_.Trace("SysFuncMan.Free");
  system_functions_.reset();
  ctx_.Trace("ParamMan.Free");
  variables_.reset();
  ctx_.Trace("RivoFinalize");
  screen_.reset();
  ctx_.Trace("MediaFinal");
  media_.reset();
  ctx_.screen_manager = nullptr;
  screen_manager_.reset();
  ctx_.window = nullptr;
  window_.reset();
  ctx_.audio = nullptr;
  audio_.reset();
}

// Program finalisation: the file manager goes (its deferred files with it),
// then every registered temporary file.
void Player::FinishProgram() {
  file_manager_.reset();
  for (const std::filesystem::path& file : ctx_.TempFilesToDelete) {
    std::error_code ec;
    std::filesystem::remove(file, ec);
  }
  ctx_.TempFilesToDelete.clear();
}

void Player::WriteScreenshot() {
  const std::filesystem::path& file = ctx_.options.screenshot;
  if (file.empty()) return;
  if (!frame_composed_ || !screen_manager_) {
    *ctx_.log << "rivoplay: no frame was composed; " << file.string() << " not written\n";
    return;
  }
  try {
    WritePng(screen_manager_->DrawSurfacePixels(), file);
  } catch (const std::exception& e) {
    *ctx_.log << "rivoplay: " << e.what() << "\n";
  }
}

void Player::HandleInput(const InputEvent& e) {
  switch (e.kind) {
    case InputKind::kFocusGained: Activate(); break;
    case InputKind::kFocusLost: Deactivate(); break;
    // Every close is allowed; the quit button asks first.
    case InputKind::kCloseRequest: ctx_.close_requested = true; break;
    case InputKind::kToolbarQuit: ConfirmClose(); break;
    case InputKind::kToolbarToggleFullScreen:
      if (screen_manager_) SetFullScreen(!screen_manager_->FullScreen());
      break;
    default:
      if (screen_) RouteInput(e, ctx_.Active, *screen_);
      break;
  }
}

void Player::ConfirmClose() {
  // Terminating holds the interpreter while the question is open.
  bool was_terminating = ctx_.Terminating;
  ctx_.Terminating = true;
  std::string title = project_ ? Cp932ToUtf8(project_->Title()) : std::string();
  MessageAnswer answer = platform_.Boxes().Show(title, InsertName("「%s」を終了しますか？", title),
                                                MessageButtons::kYesNo, MessageIcon::kQuestion);
  if (answer == MessageAnswer::kYes) ctx_.close_requested = true;
  else ctx_.Terminating = was_terminating;
}

void Player::SetFullScreen(bool on) {
  if (!screen_manager_ || screen_manager_->FullScreen() == on) return;
  if (on && screen_manager_->ChosenMode() < 0) return;
  SwitchMode(on ? screen_manager_->ChosenMode() : TScreenManager::kWindowMode);
}

void Player::ApplyDisplayMode() {
  if (!screen_manager_ || !screen_manager_->FullScreen()) return;
  int32_t chosen = screen_manager_->ChosenMode();
  if (chosen >= 0 && chosen != screen_manager_->CurrentMode()) SwitchMode(chosen);
}

void Player::SwitchMode(int32_t mode) {
  if (screen_) screen_->ReleaseSurfaces();
  screen_manager_->ReleaseSurfaces();
  screen_manager_->SetMode(mode);
  if (screen_) screen_->RestoreSurfaces();
}

// The pointer moves within the panel; where it lands on the display is the
// window's business (scale, letterbox, tool bar).
void Player::SetMouseX(int32_t x) {
  if (window_) window_->WarpMouse({x, window_->MousePosition().y});
}

void Player::SetMouseY(int32_t y) {
  if (window_) window_->WarpMouse({window_->MousePosition().x, y});
}

void Player::Deactivate() {
  loop_.Suspend();
  if (!screen_) return;
  ctx_.Active = false;
  if (media_) media_->Pause();
  screen_->ClearKeys();
}

void Player::Activate() {
  loop_.Resume();
  if (!screen_) return;
  ctx_.Active = true;
  ctx_.LastTickTime = platform_.GetClock().NowMs();
  if (media_) media_->Resume();
}

}  // namespace rivo
