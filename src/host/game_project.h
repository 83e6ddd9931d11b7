#pragma once
// The project as the host drives it: TProject with its interpreter on the
// screen's objects, the command trace
// (--trace), the variable dump (--dump-vars) and the events queued by the
// command line (--event).

#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "content/disc_prompt.h"
#include "content/vr_file_manager.h"
#include "host/player_context.h"
#include "host/player_parts.h"
#include "platform/message_boxes.h"
#include "objects/object_functions.h"
#include "objects/rivo_base_list.h"
#include "objects/save_screen.h"
#include "scenario/project.h"
#include "scenario/save_caption_functions.h"
#include "scenario/scenario_host.h"
#include "scenario/scenario_system_services.h"

namespace rivo {

class LookAhead;
class TParamCollection;
class TSysFuncMan;

class GameProject : public ProjectStage, private ScenarioHost, private DiscPrompt {
 public:
  // Reads the project and starts it; a project that cannot start has said
  // why and left ctx.Terminating set.
  // functions and ahead (the look-ahead loader, which must outlive the
  // project) may be nullptr.
  GameProject(PlayerContext& ctx, TVrFileManager& files, TParamCollection& variables,
              ScenarioSystemServices& services, TSysFuncMan* functions, TRivoBaseList& screen,
              LookAhead* ahead = nullptr);
  // Dumps the variables, then the project runs its end page.
  ~GameProject() override;

  std::string Title() const override { return project_->Title; }
  int32_t ScreenWidth() const override { return project_->ScreenWidth; }
  int32_t ScreenHeight() const override { return project_->ScreenHeight; }
  int32_t FullScreenWidth() const override { return project_->FullScreenWidth; }
  int32_t FullScreenHeight() const override { return project_->FullScreenHeight; }
  void Step() override;
  bool RunPendingLoad() override { return project_->RunPendingLoad(); }
  void RunPendingSave() override { project_->RunPendingSave(); }

 private:
  // ScenarioHost
  bool LocateContent() override;
  void ResetGame() override;
  std::string ReadFile(std::string_view name) override;
  std::unique_ptr<TPage> TakeCompiledPage(std::string_view name) override;
  bool FileExists(std::string_view name) override { return files_.Exists(name); }
  void PageOpened(std::string_view name, std::span<const std::string_view> callers) override;
  bool RequestDisk(int32_t disk_no) override { return files_.RequestDisk(disk_no); }
  bool Terminating() const override { return ctx_.Terminating; }
  void SetTerminating(bool on) override { ctx_.Terminating = on; }
  // Both the interpreter (Terminate) and a refused disc close the player.
  void RequestClose() override { ctx_.close_requested = true; }
  int32_t ElapsedMs() const override { return ctx_.ElapsedMs; }
  int32_t FrameDeltaMs() const override { return ctx_.FrameDeltaMs; }
  void Warn(std::string_view caption, std::string_view text) override;
  void Trace(std::string_view line) override;
  bool Tracing() const override { return trace_.is_open(); }
  void Log(std::string_view line) override;

  // DiscPrompt, with the project's texts. Where nobody answers, the disc
  // request gets Cancel and the exit question OK: a disc that nobody brings
  // ends the run (exit code 3) instead of asking forever.
  static constexpr MessageAnswer kNoDiscComing = MessageAnswer::kCancel;
  bool AskForDisc(int disk_no) override;
  bool ConfirmExit() override;

  // Mounts the "game.dat" of a disc whose "install.dat" names title.
  bool MountDiscOf(const std::string& title, int32_t disk_count);
  // unattended: the answer where nobody answers (the first button unless given).
  MessageAnswer Ask(const std::string& caption_cp932, const std::string& text_utf8, MessageButtons buttons,
                    MessageIcon icon, std::optional<MessageAnswer> unattended = std::nullopt);
  void QueueScheduledEvents();
  void ReportSkippedCommands();

  PlayerContext& ctx_;
  TVrFileManager& files_;
  TParamCollection& variables_;
  ScenarioSystemServices& services_;
  TSysFuncMan* functions_;
  std::ofstream trace_;
  TRivoBaseList& screen_;
  LookAhead* ahead_;
  // The object functions work while the project runs, its end page too.
  std::optional<ObjectFunctions> object_functions_;
  std::optional<SaveScreenFunction> save_screen_;
  std::unique_ptr<TProject> project_;
  std::optional<SaveCaptionFunctions> save_caption_functions_;
  uint64_t tick_ = 0;
};

}  // namespace rivo
