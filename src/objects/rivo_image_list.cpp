#include "objects/rivo_image_list.h"

#include <algorithm>
#include <exception>

#include "objects/rivo_base_list.h"
#include "objects/rivo_object.h"

namespace rivo {

TImageOwner ImageOwnerOf(const TRivoObject& object) {
  const ObjectHandle h = object.Handle();
  return TImageOwner{(uint64_t{h.slot} << 32) | h.generation};
}

void MakeBrightnessCopy(const TDIBX& frame, int32_t brightness, TDIBX& out) {
  out.SetSize(frame.Width(), frame.Height(), frame.BitCount());
  out.Assign(frame);
  out.FirstRects() = frame.FirstRects();
  out.SecondRects() = frame.SecondRects();
  // A level beyond 255 would carry into the next channel: the grey is at
  // most white.
  const int32_t level = static_cast<int32_t>(std::min<int64_t>(brightness < 0 ? -int64_t{brightness} : brightness, 255));
  const uint32_t grey = static_cast<uint32_t>(out.ColorToPixel(level * 0x010101));
  if (brightness > 0) out.FillRectAdd(out.GetBounds(), grey);
  else if (brightness < 0) out.FillRectSub(out.GetBounds(), grey);
  if (!frame.HasTransparentColor()) {
    out.SetTransparentColor(-1);
    return;
  }
  const auto key = static_cast<uint32_t>(frame.TransparentColor());
  uint32_t moved = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int32_t c = static_cast<int32_t>((key >> shift) & 0xFF);
    moved |= static_cast<uint32_t>(std::clamp(brightness > 0 ? c + level : c - level, 0, 255)) << shift;
  }
  out.SetTransparentColor(moved);
}

void TRivoImageData::SetBrightness(int32_t brightness) {
  if (brightness == brightness_ && (brightness == 0) == !adjusted_) return;
  brightness_ = brightness;
  if (brightness == 0) {
    adjusted_.reset();
    return;
  }
  if (!adjusted_) adjusted_ = std::make_unique<TDIBX>();
  MakeBrightnessCopy(*frame_->surface, brightness, *adjusted_);
}

void TRivoImageList::Load(TRivoBaseList& screen, const TRivoObject& owner, std::string_view name,
                          bool make_masks) {
  Clear();
  TOrbaCollection* cache = screen.Images();
  if (!cache || name.empty()) return;
  const TImageOwner id = ImageOwnerOf(owner);
  const TOrbaItem* item = nullptr;
  try {
    item = &cache->Acquire(id, name, make_masks);
  } catch (const std::exception&) {
    // A damaged picture shows nothing; the game goes on.
    return;
  }
  cache_ = cache;
  item_ = item;
  owner_ = id;
  if (item->Missing()) return;
  frames_.reserve(item->Frames().size());
  for (const TOrbaItemFrame& frame : item->Frames())
    if (frame.surface) frames_.emplace_back(frame);
  Restart();
}

void TRivoImageList::Clear() {
  frames_.clear();
  if (cache_ && item_) cache_->Release(*item_, owner_);
  cache_ = nullptr;
  item_ = nullptr;
  index_ = 0;
  countdown_ = 0;
}

void TRivoImageList::Restart() {
  index_ = 0;
  countdown_ = frames_.empty() ? 0 : frames_.front().Delay();
}

bool TRivoImageList::Advance(int32_t ms) {
  if (frames_.size() < 2 || ms <= 0) return false;
  const int32_t before = index_;
  countdown_ -= ms;
  while (countdown_ < 1) {
    index_ = (index_ + 1) % Count();
    countdown_ += At(index_).Delay();  // delays are at least 1
  }
  return index_ != before;
}

}  // namespace rivo
