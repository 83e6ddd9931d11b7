#include "scenario/project.h"

#include <unistd.h>

#include <cstdlib>
#include <exception>

#include "common/byte_reader.h"
#include "common/encoding.h"
#include "common/error.h"
#include "common/sjis.h"
#include "script/param_collection.h"

namespace rivo {
namespace {

const char* const kUnusableSave = "このセーブデータは使用できません\r\n終了してください";

}  // namespace

TProject::TProject(ScenarioHost& host, TParamCollection* variables, TRivoBaseList& screen)
    : Title(Utf8ToCp932("情報")),
      DiskPrompt(ProjectFile().disk_prompt),
      ExitMessage(ProjectFile().exit_message),
      host_(host),
      variables_(variables),
      screen_(screen) {
  screen_.SetVariables(variables_);
  screen_.SetReadMarks(&read_list_);
  screen_.SetStoredTexts(&stored_texts_);
}

TProject::~TProject() {
  // A project that failed before its interpreter existed has no end page to run.
  if (!EndPage.empty() && call_manager_) {
    try {
      call_manager_->JumpTo(EndPage);
      host_.SetTerminating(false);
      call_manager_->Step();
    } catch (const std::exception& e) {
      host_.Log(std::string("end page: ") + e.what());
    }
    host_.SetTerminating(true);
  }
  SaveStatus();
  stored_texts_.SetInterpreter(nullptr);
  call_manager_.reset();
  screen_.SetWipeMasks(nullptr);
  screen_.SetReadMarks(nullptr);
  screen_.SetStoredTexts(nullptr);
}

void TProject::UseSaveFile(std::filesystem::path path, TDBManager* tables) {
  save_file_ = std::make_unique<SaveFile>(std::move(path));
  tables_ = tables;
}

void TProject::SetStatusParts(SavePart* read_marks, SavePart* image_cache) {
  read_marks_ = read_marks ? read_marks : &read_list_part_;
  image_cache_ = image_cache ? image_cache : &kept_image_cache_;
}

void TProject::SetHistory(SavePart* history) { history_ = history ? history : &empty_history_; }

GameSaveParts TProject::Game() { return {screen_, *history_, *call_manager_, variables_, tables_}; }

StatusSections TProject::Status() { return {variables_, tables_, read_marks_, image_cache_}; }

// A damaged save file never keeps the game from starting: it starts
// without captions and status, says so once, and leaves the file alone.
void TProject::ReadStatus() {
  if (!save_file_) return;
  const std::string shown = save_file_->Path().string();
  if (save_file_->Open() == SaveFile::State::kDamaged) {
    host_.Log(shown + " cannot be read, the game starts without its saves: " + save_file_->Problem());
    return;
  }
  try {
    std::optional<std::string> entry = save_file_->Entry(SaveFile::kStatusEntry);
    if (entry && Status().Complete()) ReadStatusEntry(*entry, Status());
  } catch (const std::exception& e) {
    save_captions_.clear();
    host_.Log(shown + ": the status data cannot be read, the game starts without it: " + e.what());
    return;
  }
  status_writable_ = true;
}

void TProject::ReadSaveCaptions() {
  save_captions_.clear();
  if (!save_file_ || !status_writable_ || save_file_->GetState() != SaveFile::State::kReadable) return;
  for (const std::string& name : save_file_->EntryNames()) {
    std::optional<int32_t> slot = SaveFile::SlotOf(name);
    if (!slot) continue;
    try {
      std::string entry = *save_file_->Entry(name);
      ByteReader in(entry, name);
      in.I32();
      save_captions_.emplace_back(in.String(), *slot);
    } catch (const std::exception& e) {
      host_.Log(save_file_->Path().string() + ": " + e.what());
    }
  }
}

std::string TProject::GetSaveCaption(int32_t slot) const {
  for (const auto& [caption, at] : save_captions_)
    if (at == slot) return caption;
  return {};
}

void TProject::SetSaveCaption(int32_t slot, std::string caption) {
  for (auto& [text, at] : save_captions_)
    if (at == slot) {
      text = std::move(caption);
      return;
    }
  save_captions_.emplace_back(std::move(caption), slot);
}

bool TProject::StatusWanted() {
  return save_file_ && status_writable_ && loaded_ && WriteStatusFile && Status().Complete();
}

void TProject::SaveStatus() {
  if (!StatusWanted()) return;
  try {
    save_file_->Put(SaveFile::kStatusEntry, WriteStatusEntry(Status()));
  } catch (const std::exception& e) {
    host_.Log(std::string("the status data was not written: ") + e.what());
  }
}

void TProject::SaveGame(int32_t slot, const std::string& load_page, const std::string& caption,
                        int32_t load_index) {
  if (caption.empty() || !save_file_ || !call_manager_) return;
  const std::string name = SaveFile::GameEntryName(slot);
  try {
    const std::string entry = WriteGameSave({kGameSaveVersion, caption, load_page, load_index}, Game());
    if (StatusWanted()) {
      const std::string status = WriteStatusEntry(Status());
      save_file_->Put({{name, entry}, {SaveFile::kStatusEntry, status}});
    } else {
      save_file_->Put(name, entry);
    }
  } catch (const std::exception& e) {
    // The player's other saves are worth more than this one: the file stays as it was.
    host_.Log(std::string("the game was not saved: ") + e.what());
    host_.Warn(Cp932ToUtf8(Title), "セーブできませんでした");
    return;
  }
  SetSaveCaption(slot, caption);
}

bool TProject::LoadGame(int32_t slot) {
  if (!save_file_ || !call_manager_) return false;
  // What the disk holds now: another run may have saved since.
  if (save_file_->Open() != SaveFile::State::kReadable) {
    if (save_file_->GetState() == SaveFile::State::kDamaged) {
      host_.Log(save_file_->Path().string() + " cannot be read: " + save_file_->Problem());
      RefuseLoad(kUnusableSave, false);
    }
    return false;
  }
  std::optional<std::string> entry;
  try {
    entry = save_file_->Entry(SaveFile::GameEntryName(slot));
  } catch (const std::exception& e) {
    host_.Log(e.what());
    RefuseLoad(kUnusableSave, false);
    return false;
  }
  if (!entry) return false;
  CheckedGameSave checked;
  try {
    checked = CheckGameSave(*entry, Game());
  } catch (const SaveTooOld& e) {
    // Nothing of it can be used: the player stops, as the message says.
    RefuseLoad(e.what(), true);
    return false;
  } catch (const std::exception& e) {
    host_.Log(std::string("game save ") + std::to_string(slot) + ": " + e.what());
    RefuseLoad(kUnusableSave, false);
    return false;
  }
  try {
    LoadGameSave(*entry, std::move(checked), Game());
  } catch (const std::exception& e) {
    host_.Log(std::string("game save ") + std::to_string(slot) + ": " + e.what());
    RefuseLoad(kUnusableSave, true);
    return false;
  }
  return true;
}

void TProject::RefuseLoad(const std::string& text, bool game_changed) {
  load_failed_ = true;
  host_.Warn(Cp932ToUtf8(Title), text);
  if (game_changed) host_.SetTerminating(true);
}

bool TProject::RunPendingLoad() {
  if (!call_manager_) return false;
  PendingRequests& pending = call_manager_->Pending();
  if (pending.load == PendingRequests::kNone) return false;
  const int32_t slot = pending.load;
  pending.load = PendingRequests::kNone;
  load_failed_ = false;
  const bool loaded = LoadGame(slot);
  // The state a failed load leaves is not one to keep in a slot.
  if (load_failed_) pending.save = PendingRequests::kNone;
  return loaded;
}

void TProject::RunPendingSave() {
  if (!call_manager_) return;
  PendingRequests& pending = call_manager_->Pending();
  if (pending.save == PendingRequests::kNone) return;
  const int32_t slot = pending.save;
  pending.save = PendingRequests::kNone;
  SaveGame(slot, pending.save_load_page, pending.save_caption, pending.save_load_index);
}

void TProject::Create() {
  host_.SetTerminating(true);
  ReadStatus();
  ReadSaveCaptions();
  if (!host_.LocateContent()) return;
  if (!ReadProject()) return;
  host_.SetTerminating(false);
  ReadOriginalDiskTable();
  call_manager_ = std::make_unique<TCallMan>(host_, variables_, screen_,
                                             [this](std::string_view name) { return CanReach(name); });
  stored_texts_.SetInterpreter(call_manager_.get());
  loaded_ = true;
  if (!host_.FileExists(StartPage)) {
    host_.Warn("警告", "スタートページがありません");
    host_.SetTerminating(true);
    return;
  }
  try {
    call_manager_->JumpTo(StartPage);
  } catch (const std::exception& e) {
    if (!host_.Terminating()) host_.Warn("警告", e.what());
    host_.SetTerminating(true);
  }
}

bool TProject::ReadProject() {
  std::string bytes;
  // A folder without a project is the commonest way to start wrongly: say so.
  if (!host_.FileExists("rivo.rpb")) {
    host_.Warn("警告", "プロジェクトがありません");
    return false;
  }
  try {
    bytes = host_.ReadFile("rivo.rpb");
  } catch (const std::exception& e) {
    host_.Log(e.what());
    return false;
  }
  if (bytes.empty()) {
    host_.Warn("警告", "プロジェクトがありません");
    return false;
  }
  ProjectFile file;
  try {
    if (int32_t version = ProjectFile::VersionOf(bytes, "rivo.rpb"); version > ProjectFile::kNewestVersion) {
      host_.Log("rivo.rpb: version " + std::to_string(version) + " is newer than this player");
      return false;
    }
    file = ProjectFile::Read(bytes, "rivo.rpb");
    for (int32_t side : {file.screen_width, file.screen_height})
      if (side < 1 || side > kMaxScreenSide)
        throw LoadError("rivo.rpb", "screen size " + std::to_string(file.screen_width) + "x" +
                                        std::to_string(file.screen_height) + " is outside 1..16384");
  } catch (const std::exception& e) {
    host_.Warn("警告", e.what());
    return false;
  }
  Title = file.title;
  ScreenWidth = file.screen_width;
  ScreenHeight = file.screen_height;
  // The zoom-in transition zooms into the middle of the screen unless a Flip says otherwise.
  screen_.WipeDefaults().SetScreenSize(ScreenWidth, ScreenHeight);
  FullScreenWidth = file.full_screen_width;
  FullScreenHeight = file.full_screen_height;
  StartPage = file.start_page;
  EndPage = file.end_page;
  RegistryKey = file.registry_key;
  IdentificationCode = file.identification_code;
  wipe_masks_.SetIdentificationCode(IdentificationCode);
  screen_.SetWipeMasks(&wipe_masks_);
  WriteStatusFile = file.write_status_file != 0;
  FrameLimit = file.frame_limit;
  MediaExtensions = file.media_extensions;
  DiskPrompt = file.disk_prompt;
  ExitMessage = file.exit_message;
  ApplyInitialVariables(file);
  for (const auto& [folder, disk] : file.disks) folder_disks_.Add(folder, disk);
  return true;
}

void TProject::ApplyInitialVariables(const ProjectFile& file) {
  if (!variables_) return;
  for (const InitialVariable& v : file.variables) {
    // A variable restored from the status data keeps its value.
    if (variables_->Find(v.name)) continue;
    try {
      TParamCollectionItem& item = variables_->AddVariable(v.kind);
      variables_->SetName(item, v.name);
      variables_->SetScope(item, VS_STATUS);
      TCustomParam& value = item.Param();
      switch (v.kind) {
        case PT_INT: value.SetInt(v.int_value); break;
        case PT_FLOAT: value.SetFloat(v.real_value); break;
        case PT_BOOL: value.SetBool(v.flag_value != 0); break;
        default: value.SetStr(v.string_value); break;
      }
    } catch (const std::exception& e) {
      host_.Log("rivo.rpb: initial variable \"" + Cp932ToUtf8(v.name) + "\": " + e.what());
    }
  }
}

// A game installed from discs carries the disc table of its original
// project beside it.
void TProject::ReadOriginalDiskTable() {
  const char* name = "/original_rivo.rpb";
  try {
    if (!host_.FileExists(name)) return;
    std::string bytes = host_.ReadFile(name);
    folder_disks_.Clear();
    if (ProjectFile::VersionOf(bytes, name) > ProjectFile::kNewestVersion) return;
    for (const auto& [folder, disk] : ProjectFile::Read(bytes, name).disks) folder_disks_.Add(folder, disk);
  } catch (const std::exception& e) {
    host_.Log(e.what());
  }
}

void TProject::Step() {
  if (call_manager_) call_manager_->Step();
}

bool TProject::CanReach(std::string_view name) {
  if (name.empty()) return false;
  if (host_.FileExists(name)) return true;
  int32_t disk = folder_disks_.DiskOf(name);
  if (disk <= 0) return false;
  std::string extension = sjis::LowerCase(sjis::ExtractFileExt(name)) + ".";
  std::string media = sjis::LowerCase(MediaExtensions) + ".";
  if (media.find(extension) != std::string::npos) return false;
  return host_.RequestDisk(disk);
}

std::filesystem::path SaveFilePath(const std::filesystem::path& game_folder) {
  if (access(game_folder.c_str(), W_OK) == 0) return game_folder / "save.dat";
  std::filesystem::path data;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) data = xdg;
  else if (const char* home = std::getenv("HOME"); home && *home) data = std::filesystem::path(home) / ".local/share";
  else data = std::filesystem::temp_directory_path();
  return data / "rivoplay" / game_folder.filename() / "save.dat";
}

}  // namespace rivo
