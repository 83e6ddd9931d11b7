#pragma once
// The pictures of an image control: TRivoImageList holds the frames of one
// layered image taken from the image cache (and the cache entry with them),
// TRivoImageData one frame with the brightness the control shows it at.
// A brightness other than 0 shows a private copy of the frame, lightened
// or darkened, so that the cached frame stays as every other owner sees it.
// Lists that animate on their own (map images, glyph sheets) also keep
// their current frame and its countdown here.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/dibx.h"
#include "graphics/image_files.h"
#include "graphics/orba_collection.h"

namespace rivo {

class TRivoBaseList;
class TRivoObject;

// The owner id an object holds cache entries under: its handle, so a
// destroyed object's slot reused by a new one is another owner.
TImageOwner ImageOwnerOf(const TRivoObject& object);

// Writes frame lightened (b > 0) or darkened (b < 0) by |b|, at most 255,
// into out; the transparent colour moves with the pixels it keys.
void MakeBrightnessCopy(const TDIBX& frame, int32_t brightness, TDIBX& out);

class TRivoImageData {
 public:
  explicit TRivoImageData(const TOrbaItemFrame& frame) : frame_(&frame) {}

  const TOrbaItemFrame& Frame() const { return *frame_; }
  int32_t Brightness() const { return brightness_; }
  // 0 shows the cached frame itself; anything else a private copy.
  void SetBrightness(int32_t brightness);
  // The picture to draw.
  const TDIBX& Shown() const { return adjusted_ ? *adjusted_ : *frame_->surface; }
  // The frame's 8-bit mask, or nullptr.
  const TDIBX* Mask() const { return frame_->mask.get(); }
  int32_t Delay() const { return frame_->delay; }

 private:
  const TOrbaItemFrame* frame_;  // lives as long as the list's cache entry
  int32_t brightness_ = 0;
  std::unique_ptr<TDIBX> adjusted_;
};

class TRivoImageList {
 public:
  TRivoImageList() = default;
  TRivoImageList(const TRivoImageList&) = delete;
  TRivoImageList& operator=(const TRivoImageList&) = delete;
  ~TRivoImageList() { Clear(); }

  // The frames of the file name for owner (the previous entry is let go
  // first). No cache, a file the game does not have, an empty name and a
  // damaged file give an empty list. With make_masks the frames' keyed
  // colours become their masks.
  void Load(TRivoBaseList& screen, const TRivoObject& owner, std::string_view name, bool make_masks = false);
  // Lets the cache entry go; the list is empty afterwards.
  void Clear();

  int32_t Count() const { return static_cast<int32_t>(frames_.size()); }
  bool IsEmpty() const { return frames_.empty(); }
  bool Valid(int32_t index) const { return index >= 0 && index < Count(); }
  TRivoImageData& At(int32_t index) { return frames_.at(static_cast<std::size_t>(index)); }
  const TRivoImageData& At(int32_t index) const { return frames_.at(static_cast<std::size_t>(index)); }

  // --- lists that animate on their own (each frame for its delay, looping)
  int32_t Index() const { return index_; }
  // Back to frame 0 with its full delay.
  void Restart();
  // Advances by ms; true when the shown frame changed.
  bool Advance(int32_t ms);
  // The shown frame of a self-animating list; nullptr when empty.
  const TRivoImageData* Current() const { return Valid(index_) ? &At(index_) : nullptr; }

 private:
  TOrbaCollection* cache_ = nullptr;
  const TOrbaItem* item_ = nullptr;
  TImageOwner owner_{};
  std::vector<TRivoImageData> frames_;
  int32_t index_ = 0;
  int32_t countdown_ = 0;
};

}  // namespace rivo
