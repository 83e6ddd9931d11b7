#include "scenario/stack_list.h"

#include "common/error.h"
#include "script/param_collection.h"

namespace rivo {

TStack& TStackList::Push() {
  frames_.emplace_back();
  SyncDepth();
  return frames_.back();
}

TStack TStackList::Pop() {
  if (frames_.empty()) throw RivoError("スタックエラー");
  TStack top = std::move(frames_.back());
  frames_.pop_back();
  SyncDepth();
  return top;
}

void TStackList::Clear() {
  frames_.clear();
  SyncDepth();
}

int32_t TStackList::LowestEventFrame() const {
  for (std::size_t i = 0; i < frames_.size(); ++i)
    if (frames_[i].FromEvent) return static_cast<int32_t>(i);
  return -1;
}

void TStackList::SyncDepth() {
  if (variables_) variables_->SetCurrentDepth(Count());
}

}  // namespace rivo
