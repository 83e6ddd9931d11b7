#include "objects/rivo_custom_images.h"

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "objects/rivo_base_list.h"
#include "script/custom_param.h"

namespace rivo {

const PropertyAccessors& TRivoCustomImages::ClassProperties() {
  static const PropertyAccessors table = [] {
    PropertyAccessors t = TRivoCustomImage::ClassProperties();
    t.Add<&TRivoCustomImages::GetIndex, &TRivoCustomImages::SetIndex>(PR_INDEX);
    t.Get<&TRivoCustomImages::GetCount>(PR_COUNT);
    t.Add<&TRivoCustomImages::GetBrightness, &TRivoCustomImages::SetBrightness>(PR_BRIGHTNESS);
    t.Add<&TRivoCustomImages::GetPaused, &TRivoCustomImages::SetPaused>(PR_PAUSED);
    t.Get<&TRivoCustomImages::GetPlaying>(PR_PLAYING);
    return t;
  }();
  return table;
}

int32_t TRivoCustomImages::GetCount() const {
  const TRivoImageList* list = CurrentList();
  return list ? list->Count() : 0;
}

int32_t TRivoCustomImages::LastFrameWaitMs() {
  TParamCollection* variables = Owner().Variables();
  if (!variables || LastFrameWait.Operations().empty()) return 0;
  LastFrameWait.Evaluate(*variables);
  const TCustomParam* value = LastFrameWait.Result();
  return value ? value->AsInt() : 0;
}

void TRivoCustomImages::DropPicture() {
  Invalidate();
  SetSurfaceOverride(nullptr);
  SetItemOverride(nullptr);
  index_ = -1;
}

void TRivoCustomImages::SetIndex(int32_t index) {
  TRivoImageList* list = CurrentList();
  if (list && list->Valid(index_)) Invalidate();
  else frame_timer_ = 0;
  index_ = index;
  ended_ = false;
  if (list && list->Valid(index)) {
    TRivoImageData& frame = list->At(index);
    frame.SetBrightness(brightness_);
    SetSurfaceOverride(&frame.Shown());
    SetItemOverride(&frame.Frame());
    frame_timer_ += frame.Delay();
    if (index == list->Count() - 1 && list->Count() > 1) frame_timer_ += LastFrameWaitMs();
  } else {
    SetSurfaceOverride(nullptr);
    SetItemOverride(nullptr);
  }
  UpdateSize();
  Invalidate();
}

void TRivoCustomImages::SetBrightness(int32_t v) {
  if (v == brightness_) return;
  brightness_ = v;
  TRivoImageList* list = CurrentList();
  if (!list || !list->Valid(index_)) return;
  TRivoImageData& frame = list->At(index_);
  frame.SetBrightness(v);
  SetSurfaceOverride(&frame.Shown());
  Invalidate();
}

void TRivoCustomImages::SetPaused(bool v) {
  paused_ = v;
  frame_timer_ = 0;
}

void TRivoCustomImages::SetVisible(bool v) {
  TRivoCustomImage::SetVisible(v);
  frame_timer_ = 0;
}

bool TRivoCustomImages::GetPlaying() const {
  if (paused_) return false;
  if (LoopsFrames()) return true;
  const TRivoImageList* list = CurrentList();
  return !(list && list->Valid(index_) && index_ == list->Count() - 1 && frame_timer_ < 1);
}

bool TRivoCustomImages::Tick() {
  TRivoCustomImage::Tick();
  TRivoImageList* list = CurrentList();
  if (HasMotion() || !list || !list->Valid(index_) || !IsVisible() || paused_ || GetAniPaused()) return false;
  if (frame_timer_ > 0) frame_timer_ -= Owner().FrameDeltaMs();
  while (frame_timer_ < 1) {
    const int32_t count = list->Count();
    if (index_ < count - 1) {
      // Two frames alternate on their own delays; the overshoot is not carried.
      if (count <= 2) frame_timer_ = 0;
      SetIndex(index_ + 1);
      continue;
    }
    if (LoopsFrames()) {
      frame_timer_ = 0;
      SetIndex(0);
    } else if (!ended_) {
      // The end is reported once; the control then stays on its last frame.
      ended_ = true;
      if (AnimationEnded()) return true;
    }
    break;
  }
  return false;
}

void TRivoCustomImages::ReleaseSurfaces() {
  saved_index_ = index_;
  saved_timer_ = frame_timer_;
  DropPicture();
  ReleaseLists();
}

void TRivoCustomImages::RestoreSurfaces() {
  ReloadLists();
  ApplySavedIndex();
}

void TRivoCustomImages::ApplySavedIndex() {
  const int32_t timer = saved_timer_;
  index_ = -1;
  SetIndex(saved_index_);
  frame_timer_ = timer;
}

void TRivoCustomImages::SaveToStream(ByteWriter& out) const {
  TRivoCustomImage::SaveToStream(out);
  out.I32(frame_timer_);
  out.I32(index_);
  out.I32(brightness_);
  out.Bool(paused_);
  LastFrameWait.SaveToStream(out);
}

void TRivoCustomImages::LoadFromStream(ByteReader& in, int32_t version) {
  TRivoCustomImage::LoadFromStream(in, version);
  saved_timer_ = frame_timer_ = in.I32();
  saved_index_ = in.I32();
  brightness_ = in.I32();
  paused_ = in.Bool();
  LastFrameWait.LoadFromStream(in);
}

}  // namespace rivo
