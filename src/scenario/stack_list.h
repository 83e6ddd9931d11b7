#pragma once
// The interpreter's call stack: TStack frames hold where a call or an
// interrupted process returns to, by page name and position (never by
// pointer, so a page may leave the cache while a frame names it).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "objects/object_handle.h"
#include "script/custom_param.h"

namespace rivo {

class TParamCollection;

struct TStack {
  std::string PageName;
  int32_t ReturnPc = 0;
  bool Started = false;
  std::string ResultVariable;  // a call's result goes here; empty otherwise
  std::vector<std::string> Args;
  ObjectHandle Sender;
  bool RunOn = false;
  // SaveState of the interrupted command; none when nothing was started.
  std::optional<std::string> StateStream;
  // The called page's return value (of its return type); none for type 0.
  std::unique_ptr<TCustomParam> ReturnValue;
  // Pushed by an event dispatch: the process below it was interrupted, and
  // popping it ends an event handler (a call's frame never does).
  bool FromEvent = false;
};

class TStackList {
 public:
  // variables: whose call depth follows the frame count; may be nullptr.
  explicit TStackList(TParamCollection* variables) : variables_(variables) {}

  TStack& Push();
  // Raises "スタックエラー" when empty.
  TStack Pop();
  void Clear();

  int32_t Count() const { return static_cast<int32_t>(frames_.size()); }
  bool Empty() const { return frames_.empty(); }
  TStack& operator[](int32_t index) { return frames_[static_cast<std::size_t>(index)]; }
  const TStack& operator[](int32_t index) const { return frames_[static_cast<std::size_t>(index)]; }
  TStack* Top() { return frames_.empty() ? nullptr : &frames_.back(); }
  // Index of the lowest frame pushed by an event dispatch, or -1.
  int32_t LowestEventFrame() const;

 private:
  void SyncDepth();

  TParamCollection* variables_;
  std::vector<TStack> frames_;
};

}  // namespace rivo
