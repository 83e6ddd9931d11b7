#pragma once
// TRivoCustomImages: an image control that plays the frames of an image
// list. Each frame stays for its delay (the last one also for the
// LastFrameWait expression's milliseconds); at the end the animation
// loops, ends the control or raises its play-end event, as the kind says.

#include <cstdint>

#include "objects/rivo_custom_image.h"
#include "objects/rivo_image_list.h"
#include "script/rivo_parser.h"

namespace rivo {

class TRivoCustomImages : public TRivoCustomImage {
 public:
  explicit TRivoCustomImages(TRivoBaseList& owner) : TRivoCustomImage(owner) {}

  static const PropertyAccessors& ClassProperties();
  const PropertyAccessors& Properties() const override { return ClassProperties(); }
  bool IsPaused() const override { return paused_; }

  // The frame shown: -1 none. A valid frame gets the control's brightness,
  // its delay is added to the frame timer and the size follows it.
  int32_t GetIndex() const { return index_; }
  void SetIndex(int32_t index);
  int32_t GetCount() const;
  int32_t GetBrightness() const { return brightness_; }
  void SetBrightness(int32_t v);
  bool GetPaused() const { return paused_; }
  void SetPaused(bool v);
  void SetVisible(bool v) override;
  // Not at the last frame with its time used up (or looping), and not paused.
  bool GetPlaying() const;
  int32_t FrameTimer() const { return frame_timer_; }

  // Given by the creating command (a copy of its PR_DELAY expression).
  TRivoParser LastFrameWait;

  bool Tick() override;
  void ReleaseSurfaces() override;
  void RestoreSurfaces() override;

  void SaveToStream(ByteWriter& out) const override;
  void LoadFromStream(ByteReader& in, int32_t version) override;

 protected:
  // The list the frames come from (a button's current state); nullptr: none.
  virtual TRivoImageList* CurrentList() = 0;
  const TRivoImageList* CurrentList() const { return const_cast<TRivoCustomImages*>(this)->CurrentList(); }
  // Whether the last frame goes back to the first.
  virtual bool LoopsFrames() const { return false; }
  // The frames ran out without looping (once per run); true asks for destruction.
  virtual bool AnimationEnded() { return false; }
  // Reads the kind's lists again from their sources (after a display change).
  virtual void ReloadLists() {}
  virtual void ReleaseLists() {}
  // Shows nothing and forgets the frame, before a list changes.
  void DropPicture();
  // The saved index is applied after the sources: the timer stays as saved.
  void ApplySavedIndex();

 private:
  int32_t LastFrameWaitMs();

  int32_t frame_timer_ = 0;
  int32_t index_ = -1;
  int32_t brightness_ = 0;
  bool paused_ = false;
  bool ended_ = false;  // the end of this run was reported
  int32_t saved_index_ = -1;
  int32_t saved_timer_ = 0;
};

}  // namespace rivo
