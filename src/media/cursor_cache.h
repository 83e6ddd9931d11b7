#pragma once
// The mouse pointers of a game ("@Cursor" and the controls' cursor files):
// each file is read once from memory through the file manager (archived
// files get no temporary copy) and kept by name. A file that cannot be
// read leaves the system's arrow, and its name is remembered so that it is
// not read again on every tick.

#include <map>
#include <optional>
#include <string>

#include "platform/cursor_image.h"
#include "platform/window.h"

namespace rivo {

class TVrFileManager;

class TCursorCache {
 public:
  // files and window may be null: then every file fails, or nothing is shown.
  TCursorCache(TVrFileManager* files, Window* window) : files_(files), window_(window) {}

  // The window may come later than the cache; a new window is shown the
  // pointer again at the next Show.
  void SetWindow(Window* window) {
    if (window != window_) shown_once_ = false;
    window_ = window;
  }
  // Shows the pointer of that file (CP932 name; empty: the system's arrow),
  // unless it is already shown.
  void Show(const std::string& name);
  // The file shown (or that failed), empty for the arrow.
  const std::string& Shown() const { return shown_; }
  // Whether the file could not be read as a pointer.
  bool Failed(const std::string& name) const;

 private:
  const CursorImage* Load(const std::string& name);

  TVrFileManager* files_;
  Window* window_;
  std::string shown_;
  bool shown_once_ = false;
  std::map<std::string, std::optional<CursorImage>> pictures_;  // nullopt: the file failed
};

}  // namespace rivo
