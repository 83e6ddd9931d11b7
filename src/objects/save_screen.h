#pragma once
// "SaveScreen": a picture of what a base shows, kept as a layered image.
// The shown base (or the one behind) is composed into a 24-bit one-frame
// image of the screen's size, resampled to the size asked for, and written
// as an ".orb" file under the game folder, or held in memory as a "mem:"
// entry that later pictures can name. Names that would lead outside the
// game folder (absolute ones, drive letters, "..") are refused.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "graphics/orba_frame_list.h"

namespace rivo {

class TRivoBaseList;
class TSysFuncMan;
class TVrFileManager;

struct SaveScreenRequest {
  std::string name;                       // CP932, ending in ".orb"; "mem:" names stay in memory
  std::optional<int32_t> width, height;  // none or 0: the screen's
  bool back = false;                      // the base behind rather than the shown one
  int32_t mode = 0;  // files only: 1 deleted when the player ends, 2 listed in "install.dat"
};

// What SaveScreen changes beyond the file: the pictures cached under the
// name, and the files deleted when the player ends.
struct SaveScreenEffects {
  std::function<void(const std::string& name)> forget_picture;
  std::function<void(const std::filesystem::path& path)> delete_at_end;
};

// The base's picture as a 24-bit one-frame image of width x height;
// nothing when either is below 1.
std::optional<TOrbaFrameList> ScreenPicture(TRivoBaseList& screen, bool back, int32_t width,
                                            int32_t height);

// Whether the picture was written. Errors are caught: they give false.
bool SaveScreen(TRivoBaseList& screen, TVrFileManager& files, const SaveScreenRequest& request,
                const SaveScreenEffects& effects);

// Lends "SaveScreen" to the function manager while it lives.
class SaveScreenFunction {
 public:
  SaveScreenFunction(TSysFuncMan& functions, TRivoBaseList& screen, SaveScreenEffects effects);
  ~SaveScreenFunction();
  SaveScreenFunction(const SaveScreenFunction&) = delete;
  SaveScreenFunction& operator=(const SaveScreenFunction&) = delete;

 private:
  TSysFuncMan& functions_;
};

}  // namespace rivo
