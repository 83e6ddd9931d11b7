#include "host/game_project.h"

#include <algorithm>
#include <iostream>

#include "common/encoding.h"
#include "common/error.h"
#include "content/archive_location.h"
#include "content/install_set.h"
#include "content/memory_stream.h"
#include "graphics/orba_collection.h"
#include "host/game_files.h"
#include "host/look_ahead.h"
#include "objects/object_dump.h"
#include "platform/platform.h"
#include "scenario/command_codes.h"
#include "scenario/variable_dump.h"
#include "script/param_collection.h"
#include "script/sys_func_man.h"

namespace rivo {

GameProject::GameProject(PlayerContext& ctx, TVrFileManager& files, TParamCollection& variables,
                         ScenarioSystemServices& services, TSysFuncMan* functions, TRivoBaseList& screen,
                         LookAhead* ahead)
    : ctx_(ctx),
      files_(files),
      variables_(variables),
      services_(services),
      functions_(functions),
      screen_(screen),
      ahead_(ahead) {
  if (!ctx_.options.trace.empty()) {
    trace_.open(ctx_.options.trace, std::ios::binary | std::ios::trunc);
    if (!trace_) Log("cannot write the trace to " + ctx_.options.trace.string());
  }
  if (functions_) {
    object_functions_.emplace(*functions_, screen_);
    SaveScreenEffects effects;
    effects.delete_at_end = [&ctx](const std::filesystem::path& path) {
      auto& files = ctx.TempFilesToDelete;
      if (std::find(files.begin(), files.end(), path) == files.end()) files.push_back(path);
    };
    save_screen_.emplace(*functions_, screen_, std::move(effects));
  }
  project_ = std::make_unique<TProject>(static_cast<ScenarioHost&>(*this), &variables_, screen_);
  project_->UseSaveFile(ctx_.options.save_dir.empty() ? SaveFilePath(ctx_.game.folder)
                                                      : ctx_.options.save_dir / "save.dat",
                        functions_ ? &functions_->Tables() : nullptr);
  if (functions_) save_caption_functions_.emplace(*functions_, *project_);
  project_->Create();
  services_.SetCallManager(project_->CallManager());
  services_.SetProject(project_->Title, project_->ScreenWidth, project_->ScreenHeight);
  files_.SetProjectTitle(project_->Title);
  // Scrambled pictures are read with the project's key.
  if (TOrbaCollection* images = screen_.Images()) images->SetIdentificationCode(project_->IdentificationCode);
  files_.SetDiscPrompt(static_cast<DiscPrompt*>(this));
  // Text files the game reads may lie on another disc, like its pages.
  if (functions_) functions_->SetDiskRequest([this](std::string_view name) { return project_->CanReach(name); });
}

GameProject::~GameProject() {
  // The variables as the game left them, before the end page changes them.
  if (project_->Loaded() && !ctx_.options.dump_vars.empty()) {
    std::ofstream out(ctx_.options.dump_vars, std::ios::binary | std::ios::trunc);
    out << DumpVariablesJson(variables_);
    if (!out) Log("cannot write the variables to " + ctx_.options.dump_vars.string());
  }
  if (project_->Loaded() && !ctx_.options.dump_objects.empty()) {
    std::ofstream out(ctx_.options.dump_objects, std::ios::binary | std::ios::trunc);
    out << DumpObjectsJson(screen_);
    if (!out) Log("cannot write the objects to " + ctx_.options.dump_objects.string());
  }
  if (project_->CallManager()) ReportSkippedCommands();
  project_.reset();
  save_caption_functions_.reset();
  if (functions_) functions_->SetDiskRequest(nullptr);
  files_.SetDiscPrompt(nullptr);
  services_.SetCallManager(nullptr);
}

void GameProject::Step() {
  services_.BeginFrame(ctx_.ElapsedMs, static_cast<uint32_t>(ctx_.UpdateCount));
  ++tick_;
  QueueScheduledEvents();
  project_->Step();
}

void GameProject::QueueScheduledEvents() {
  for (const ScheduledEvent& scheduled : ctx_.options.events) {
    if (scheduled.tick != tick_) continue;
    TTimerData entry;
    entry.Page = Utf8ToCp932(scheduled.target);
    for (const std::string& arg : scheduled.args) entry.Args.push_back(Utf8ToCp932(arg));
    screen_.Events().Add(std::move(entry));
  }
}

// Until their subsystems exist some commands only move on; say which, once.
void GameProject::ReportSkippedCommands() {
  const auto& skipped = project_->CallManager()->Skipped();
  if (skipped.empty()) return;
  std::string line = "commands not supported yet were skipped:";
  for (const auto& [code, count] : skipped)
    line += std::string(" ") + FindCommandCode(code)->name + " x" + std::to_string(count);
  Log(line);
}

// Started from the game's own program, the player looks for its content
// as an installed game does: "install.dat" names the game and says whether
// everything was installed; otherwise the game's disc must be in. A
// program that carries its whole game (its project included) needs none
// of this.
bool GameProject::LocateContent() {
  if (!ctx_.game.sources.empty() && !IsExecutableName(ctx_.game.sources.front())) return true;
  if (files_.Exists("rivo.rpb")) return true;
  if (!files_.Exists("install.dat")) {
    Ask(project_->Title, "インストールし直してください", MessageButtons::kOk, MessageIcon::kInformation);
    return false;
  }
  TRivoInstallSet install;
  try {
    TQnMemoryStream stream;
    files_.LoadToStream(stream, "install.dat");
    install.LoadFromStream(stream);
  } catch (const std::exception& e) {
    Log(e.what());
    return false;
  }
  if (std::optional<std::filesystem::path> local = FindInFolder(ctx_.game.folder, "game.dat")) {
    files_.MountArchive(*local);
    if (install.CompleteInstall) return true;
  } else if (files_.SourceCount() > 1 && install.CompleteInstall) {
    return true;  // the program's own archive holds everything
  }
  for (;;) {
    if (MountDiscOf(install.Title, install.DiskCount)) return true;
    if (Ask(project_->Title, "ディスクを入れてください", MessageButtons::kOkCancel, MessageIcon::kInformation,
            kNoDiscComing) == MessageAnswer::kOk)
      continue;
    if (ConfirmExit()) return false;
  }
}

bool GameProject::MountDiscOf(const std::string& title, int32_t disk_count) {
  files_.SetProjectTitle(title);
  for (int32_t disk = 0; disk < std::max(1, disk_count); ++disk)
    if (files_.MountDisk(disk)) return true;
  return false;
}

MessageAnswer GameProject::Ask(const std::string& caption_cp932, const std::string& text_utf8, MessageButtons buttons,
                               MessageIcon icon, std::optional<MessageAnswer> unattended) {
  return ctx_.platform->Boxes().Show(Cp932ToUtf8(caption_cp932), text_utf8, buttons, icon,
                                     unattended.value_or(DefaultAnswer(buttons)));
}

void GameProject::ResetGame() {
  screen_.Reset();
  if (functions_) functions_->Tables().ClearUnsaved();
}

void GameProject::PageOpened(std::string_view name, std::span<const std::string_view> callers) {
  if (ahead_) ahead_->PageOpened(name, callers);
}

std::unique_ptr<TPage> GameProject::TakeCompiledPage(std::string_view name) {
  return ahead_ ? ahead_->TakePage(name) : nullptr;
}

std::string GameProject::ReadFile(std::string_view name) {
  if (ahead_)
    if (std::optional<std::string> bytes = ahead_->TakeFile(name)) return std::move(*bytes);
  TQnMemoryStream stream;
  files_.LoadToStream(stream, name);
  return stream.ToString();
}

void GameProject::Warn(std::string_view caption, std::string_view text) {
  ctx_.platform->Boxes().Show(std::string(caption), std::string(text), MessageButtons::kOk, MessageIcon::kWarning);
}

void GameProject::Trace(std::string_view line) {
  trace_ << line << '\n';
}

void GameProject::Log(std::string_view line) { *ctx_.log << "rivoplay: " << line << "\n"; }

bool GameProject::AskForDisc(int disk_no) {
  std::string text = project_->DiskPrompt;
  if (std::size_t at = text.find("%d"); at != std::string::npos) text.replace(at, 2, std::to_string(disk_no));
  return Ask(project_->Title, Cp932ToUtf8(text), MessageButtons::kOkCancel, MessageIcon::kInformation,
             kNoDiscComing) == MessageAnswer::kOk;
}

bool GameProject::ConfirmExit() {
  // Nobody there to bring the disc: leave, rather than ask for it again.
  const bool leave = Ask(project_->Title, Cp932ToUtf8(project_->ExitMessage), MessageButtons::kOkCancel,
                         MessageIcon::kQuestion, MessageAnswer::kOk) == MessageAnswer::kOk;
  // Without its disc the game cannot go on: the run ends as one that could not start.
  if (leave) ctx_.exit_code = kExitCannotStart;
  return leave;
}

}  // namespace rivo
