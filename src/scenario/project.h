#pragma once
// TProject: the running game. It reads "rivo.rpb", gives the game its
// initial variables, knows which content lies on which disc, creates the
// interpreter and starts it at the start page; when it goes, the end page
// has one last step.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "content/folder_disk_list.h"
#include "objects/rivo_base_list.h"
#include "scenario/call_man.h"
#include "scenario/empty_history.h"
#include "scenario/game_save.h"
#include "scenario/project_file.h"
#include "scenario/read_list_part.h"
#include "scenario/save_file.h"
#include "scenario/status_data.h"
#include "scenario/status_part.h"
#include "scenario/wipe_mask_pictures.h"
#include "scenario/scenario_host.h"
#include "scenario/stored_text_pages.h"
#include "text/rivo_read_list.h"

namespace rivo {

class TParamCollection;
class TDBManager;

class TProject {
 public:
  static constexpr int32_t kMaxScreenSide = 16384;

  // variables may be nullptr. Nothing is read until Create.
  TProject(ScenarioHost& host, TParamCollection* variables, TRivoBaseList& screen);
  TProject(const TProject&) = delete;
  TProject& operator=(const TProject&) = delete;
  // Runs the end page up to its first command that yields, then writes
  // the status data.
  ~TProject();

  // Before Create: where "save.dat" lives and the tables it keeps. Without
  // it the project keeps no save file.
  void UseSaveFile(std::filesystem::path path, TDBManager* tables);
  // Before Create: the read marks and the image cache of the layers above,
  // in place of the kept forms that carry their bytes through.
  void SetStatusParts(SavePart* read_marks, SavePart* image_cache);
  // Before Create: the message history of the layers above, in place of
  // the empty one.
  void SetHistory(SavePart* history);

  // Writes the status entry when WriteStatusFile is set and the save file
  // was readable at start-up (a file that could not be read is the user's
  // and stays as it was). A failed write is only logged.
  void SaveStatus();
  // Writes the game into a slot of the save file, together with the status
  // data. An empty caption saves nothing. A save that cannot be written
  // says so in a warning box and leaves the file and the captions as they
  // were.
  void SaveGame(int32_t slot, const std::string& load_page, const std::string& caption, int32_t load_index);
  // Restores a slot's game save; false when nothing was loaded (no such
  // save, or one that could not be used: a message box said so).
  bool LoadGame(int32_t slot);
  // At the end of the tick, the requests of GameLoad, then of GameSave. A
  // load that failed drops the save of the same tick. RunPendingLoad is
  // true when a game was loaded.
  bool RunPendingLoad();
  void RunPendingSave();

  // The caption of a slot's game save; empty when the slot has none.
  std::string GetSaveCaption(int32_t slot) const;
  void SetSaveCaption(int32_t slot, std::string caption);
  // (caption, slot) of every game save in the save file.
  const std::vector<std::pair<std::string, int32_t>>& SaveCaptions() const { return save_captions_; }

  // The start-up: reads the project, jumps to the start page. A failure is
  // reported (a message box, or the log) and leaves Terminating set.
  void Create();
  // One interpreter step (nothing when the project did not load).
  void Step();
  // Whether a page or other file can be read, asking for its disc when it
  // lies on one (media files are never asked for).
  bool CanReach(std::string_view name);

  bool Loaded() const { return loaded_; }
  TCallMan* CallManager() const { return call_manager_.get(); }
  TRivoReadList& ReadList() { return read_list_; }
  const TFolderDiskList& FolderDisks() const { return folder_disks_; }

  // Game strings are CP932, the defaults too.
  std::string Title;
  int32_t ScreenWidth = 0;
  int32_t ScreenHeight = 0;
  int32_t FullScreenWidth = 0;
  int32_t FullScreenHeight = 0;
  std::string StartPage;
  std::string EndPage;
  std::string RegistryKey;
  int32_t IdentificationCode = 0;
  bool WriteStatusFile = true;
  uint8_t FrameLimit = 1;
  std::string MediaExtensions = ".wav.wma.ogg";
  std::string DiskPrompt;
  std::string ExitMessage;

 private:
  bool ReadProject();
  void ApplyInitialVariables(const ProjectFile& file);
  void ReadOriginalDiskTable();
  void ReadSaveCaptions();
  void ReadStatus();
  StatusSections Status();
  // Whether the status data is to be written now.
  bool StatusWanted();
  GameSaveParts Game();
  // A failed load: says so and, when the running game was already changed,
  // ends it.
  void RefuseLoad(const std::string& text, bool game_changed);

  ScenarioHost& host_;
  TParamCollection* variables_;
  TRivoBaseList& screen_;
  // Lent to the screen while the project lives.
  TWipeMaskPictures wipe_masks_{host_};
  TFolderDiskList folder_disks_;
  std::unique_ptr<TCallMan> call_manager_;
  bool loaded_ = false;

  std::unique_ptr<SaveFile> save_file_;
  TDBManager* tables_ = nullptr;
  // The player's read marks and the pages message windows read their text
  // from; the screen's message windows reach both through the screen.
  TRivoReadList read_list_;
  ReadListPart read_list_part_{read_list_};
  PageStoredTexts stored_texts_{host_};
  KeptImageCacheState kept_image_cache_;
  SavePart* read_marks_ = &read_list_part_;
  SavePart* image_cache_ = &kept_image_cache_;
  EmptyHistory empty_history_;
  SavePart* history_ = &empty_history_;
  bool load_failed_ = false;
  // False when the save file could not be read: nothing is written over it.
  bool status_writable_ = false;
  std::vector<std::pair<std::string, int32_t>> save_captions_;
};

// Where "save.dat" goes: the game folder, or the user's data folder
// ($XDG_DATA_HOME/rivoplay/<game folder name>) when the game folder cannot
// be written.
std::filesystem::path SaveFilePath(const std::filesystem::path& game_folder);

}  // namespace rivo
