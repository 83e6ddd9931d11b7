#include "graphics/orba_collection.h"

#include <algorithm>
#include <exception>

#include "graphics/frame_surface.h"
#include "graphics/orba_frame_list.h"
#include "graphics/prepared_pictures.h"

namespace rivo {
namespace {

constexpr std::string_view kMaskSuffix = "?m";
// The placeholder of a missing file: 8 x 8 of value 0 keyed by colour 0.
constexpr int32_t kPlaceholderSide = 8;

bool HasMaskSuffix(std::string_view key) {
  return key.size() >= kMaskSuffix.size() && key.substr(key.size() - kMaskSuffix.size()) == kMaskSuffix;
}

std::string FileNameOf(const std::string& key) {
  return HasMaskSuffix(key) ? key.substr(0, key.size() - kMaskSuffix.size()) : key;
}

// The pieces of length `size` that cover [begin, end) along one axis, the
// first starting `start` into the source, as (position, source offset,
// length). Only pieces meeting [lo, hi) are produced, so a huge rectangle
// over a small destination costs only what shows.
template <typename Fn>
void ForEachPiece(int64_t begin, int64_t end, int64_t size, int64_t start, int64_t lo, int64_t hi,
                  Fn fn) {
  int64_t pos = begin, src = start;
  if (lo > pos + (size - src)) {
    pos += size - src;
    src = 0;
    pos += (lo - pos) / size * size;
  }
  for (; pos < end && pos < hi; src = 0) {
    const int64_t length = std::min(size - src, end - pos);
    fn(pos, src, length);
    pos += length;
  }
}

int64_t Modulo(int64_t value, int64_t size) {
  const int64_t m = value % size;
  return m < 0 ? m + size : m;
}

}  // namespace

TOrbaItem& TOrbaCollection::Acquire(TImageOwner owner, std::string_view name, bool make_masks) {
  std::string key(name);
  if (make_masks) key += kMaskSuffix;
  TOrbaItem* item = items_.Find(key);
  if (!item) {
    item = &items_.Add(std::make_unique<TOrbaItem>(), key);
    if (prepared_) prepared_->SetHeld(FileNameOf(key), true);
    try {
      Load(*item, false);
    } catch (...) {
      // No half-loaded entry stays for the next Acquire to return.
      Remove(*item);
      throw;
    }
  }
  if (std::find(item->owners_.begin(), item->owners_.end(), owner) == item->owners_.end())
    item->owners_.push_back(owner);
  return *item;
}

void TOrbaCollection::Release(const TOrbaItem& item, TImageOwner owner) {
  const int32_t index = item.Index();
  if (index < 0 || index >= items_.Count() || &items_[index] != &item) return;
  auto& owners = items_[index].owners_;
  const auto at = std::find(owners.begin(), owners.end(), owner);
  if (at == owners.end()) return;
  owners.erase(at);
  if (owners.empty()) Delete(index);
}

void TOrbaCollection::Invalidate(std::string_view name) {
  for (const std::string& key : {std::string(name), std::string(name) + std::string(kMaskSuffix)}) {
    const TOrbaItem* item = items_.Find(key);
    if (item && item->owners_.empty()) Remove(*item);
  }
}

void TOrbaCollection::Reload(bool recreate) {
  std::exception_ptr first_error;
  for (const auto& item : items_) {
    try {
      Load(*item, recreate);
    } catch (...) {
      if (!first_error) first_error = std::current_exception();
      FillPlaceholder(*item, HasMaskSuffix(item->Name()), recreate);
    }
  }
  if (first_error) std::rethrow_exception(first_error);
}

void TOrbaCollection::SetReduceFlag(uint8_t value) {
  if (value == reduce_flag_) return;
  reduce_flag_ = value;
  Reload(false);
}

void TOrbaCollection::LoadState(ByteReader& in, int32_t version) {
  if (version > 100) SetReduceFlag(in.U8());
}

void TOrbaCollection::Remove(const TOrbaItem& item) { Delete(item.Index()); }

void TOrbaCollection::Delete(int32_t index) {
  TOrbaItem& item = items_[index];
  const std::string file_name = FileNameOf(item.Name());
  if (prepared_ && item.prepared_)
    prepared_->GiveBack(file_name, {std::move(item.frames_), item.width_, item.height_, item.total_delay_});
  items_.Delete(index);
  if (prepared_) prepared_->SetHeld(file_name, false);
}

void TOrbaCollection::Load(TOrbaItem& item, bool recreate) {
  const std::string& key = item.Name();
  const bool make_masks = HasMaskSuffix(key);
  const std::string file_name = FileNameOf(key);
  // A new entry may take the frames made ahead of need: the same frames the
  // reading below would give. (A reload keeps its surface objects.)
  if (prepared_ && !make_masks && item.frames_.empty()) {
    if (std::optional<TPreparedPicture> picture = prepared_->TakePrepared(file_name, key_)) {
      item.frames_ = std::move(picture->frames);
      item.width_ = picture->width;
      item.height_ = picture->height;
      item.total_delay_ = picture->total_delay;
      item.missing_ = false;
      item.prepared_ = true;
      return;
    }
  }
  TOrbaFrameList list(key_);
  {
    const std::optional<std::string> bytes = files_.ReadImageFile(file_name);
    if (!bytes) {
      FillPlaceholder(item, make_masks, recreate);
      return;
    }
    list.LoadPicture(*bytes, file_name);
  }  // the file is freed first: the surfaces below may reuse its memory
  if (make_masks) list.MakeMasks();
  FillFrames(item, list, make_masks, recreate);
}

TPreparedPicture TOrbaCollection::Prepare(const TOrbaFrameList& list) {
  TOrbaItem item;
  FillFrames(item, list, false, false);
  return {std::move(item.frames_), item.width_, item.height_, item.total_delay_};
}

void TOrbaCollection::FillFrames(TOrbaItem& item, const TOrbaFrameList& list, bool make_masks,
                                 bool recreate) {
  item.frames_.resize(static_cast<std::size_t>(list.Count()));
  item.width_ = item.height_ = item.total_delay_ = 0;
  item.missing_ = false;
  item.prepared_ = false;
  if (list.Count() > 0) {
    item.width_ = list.Frames(0).surface.Width();
    item.height_ = list.Frames(0).surface.Height();
  }
  for (int32_t i = 0; i < list.Count(); ++i) {
    const TOrbaFrame& frame = list.Frames(i);
    TOrbaItemFrame& out = item.frames_[static_cast<std::size_t>(i)];
    if (!out.surface) out.surface = std::make_unique<TDIBX>();
    if (recreate) out.surface->SetSize(1, 1, kBitCount);
    CopyFrameToSurface(frame, *out.surface);
    out.surface->SetTransparentColor(out.surface->ColorToPixel(frame.transparent_color));
    if (frame.HasMask() || make_masks) {
      if (!out.mask) out.mask = std::make_unique<TDIBX>();
      CopyMaskToSurface(frame, *out.mask);
    } else {
      out.mask.reset();
    }
    out.transparent_color = frame.transparent_color;
    out.delay = frame.delay == 0 ? 1 : frame.delay;
    item.total_delay_ += out.delay;
  }
}

void TOrbaCollection::FillPlaceholder(TOrbaItem& item, bool make_masks, bool recreate) {
  item.frames_.resize(1);
  item.missing_ = true;
  item.prepared_ = false;
  TOrbaItemFrame& out = item.frames_.front();
  if (!out.surface) out.surface = std::make_unique<TDIBX>();
  out.surface->SetSize(kPlaceholderSide, kPlaceholderSide, recreate ? kBitCount : out.surface->BitCount());
  out.surface->Clear(0);
  out.surface->FirstRects().clear();
  out.surface->SecondRects().clear();
  out.surface->SetTransparentColor(out.surface->ColorToPixel(0));
  if (make_masks) {
    if (!out.mask) out.mask = std::make_unique<TDIBX>();
    out.mask->SetSize(kPlaceholderSide, kPlaceholderSide, 8);
    out.mask->Clear(0);
  } else {
    out.mask.reset();
  }
  out.transparent_color = 0;
  out.delay = 1;
  item.width_ = item.height_ = kPlaceholderSide;
  item.total_delay_ = out.delay;
}

void TOrbaCollection::DrawItemFrame(const TOrbaItemFrame& frame, TCustomDIBX& dest, int32_t x,
                                    int32_t y, int32_t alpha_code, bool flip_v, bool flip_h,
                                    const TRect& source_rect) {
  if (frame.surface)
    DrawPicture(*frame.surface, frame.mask.get(), dest, x, y, alpha_code, flip_v, flip_h, source_rect);
}

void TOrbaCollection::DrawPicture(const TCustomDIBX& source, const TCustomDIBX* mask, TCustomDIBX& dest,
                                  int32_t x, int32_t y, int32_t alpha_code, bool flip_v, bool flip_h,
                                  const TRect& source_rect) {
  if (alpha_code <= 0) return;
  const int32_t add = std::min(alpha_code - 256, 255);
  if (mask) {
    if (alpha_code < 255) dest.DrawAlphaMask(x, y, alpha_code, *mask, flip_v, flip_h, source_rect, source);
    else if (alpha_code == 255) dest.DrawMask(x, y, *mask, flip_v, flip_h, source_rect, source);
    else dest.DrawAddMask(x, y, add, *mask, flip_v, flip_h, source_rect, source);
    return;
  }
  const bool use_key = source.HasTransparentColor();
  if (alpha_code < 255) dest.DrawAlpha(x, y, alpha_code, flip_v, flip_h, use_key, source_rect, source);
  else if (alpha_code == 255) dest.Draw(x, y, flip_v, flip_h, use_key, source_rect, source);
  else dest.DrawAdd(x, y, add, flip_v, flip_h, source_rect, source);
}

void TOrbaCollection::TileItemFrame(const TOrbaItemFrame& frame, TCustomDIBX& dest,
                                    const TRect& rect, int32_t alpha_code, bool flip_v,
                                    bool flip_h, int32_t offset_y, int32_t offset_x,
                                    const TRect& source_rect) {
  const int64_t sw = source_rect.Width(), sh = source_rect.Height();
  if (sw <= 0 || sh <= 0 || rect.IsEmpty()) return;
  const TRect visible = Intersect(rect, dest.GetClipRect());
  if (visible.IsEmpty()) return;
  // A flipped axis places the piece at position p at (left + right - p -
  // length), so the loop covers the mirror image of what shows.
  const int64_t l = rect.Left, r = rect.Right, t = rect.Top, b = rect.Bottom;
  const int64_t x_lo = flip_h ? l + r - visible.Right : visible.Left;
  const int64_t x_hi = flip_h ? l + r - visible.Left : visible.Right;
  const int64_t y_lo = flip_v ? t + b - visible.Bottom : visible.Top;
  const int64_t y_hi = flip_v ? t + b - visible.Top : visible.Bottom;
  ForEachPiece(t, b, sh, Modulo(offset_y, sh), y_lo, y_hi, [&](int64_t y, int64_t sy, int64_t ph) {
    const int64_t dy = flip_v ? t + b - y - ph : y;
    ForEachPiece(l, r, sw, Modulo(offset_x, sw), x_lo, x_hi, [&](int64_t x, int64_t sx, int64_t pw) {
      const int64_t dx = flip_h ? l + r - x - pw : x;
      const TRect piece{static_cast<int32_t>(source_rect.Left + sx), static_cast<int32_t>(source_rect.Top + sy),
                        static_cast<int32_t>(source_rect.Left + sx + pw),
                        static_cast<int32_t>(source_rect.Top + sy + ph)};
      DrawItemFrame(frame, dest, static_cast<int32_t>(dx), static_cast<int32_t>(dy), alpha_code,
                    flip_v, flip_h, piece);
    });
  });
}

}  // namespace rivo
