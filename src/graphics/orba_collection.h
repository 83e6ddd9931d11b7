#pragma once
// TOrbaCollection: the image cache. Objects ask for an image by file name;
// the file is read and decoded once, every frame is converted to a drawable
// surface of the screen's format (32 bits, fourth byte 0) with an optional
// 8-bit mask, and the same entry serves every owner that asks for the same
// key until the last one lets go.
//
// Keys are the file name, plus "?m" when the caller wants masks made from
// transparent colours; they compare ignoring the case of single-byte letters.
// A file the game does not have gives one invisible 8 x 8 frame. The
// surfaces of an entry stay the same objects while the entry lives (a reload
// resizes them in place), so a drawing object may keep pointers to them.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/hash_collection.h"
#include "graphics/dibx.h"
#include "graphics/image_files.h"

namespace rivo {

class TOrbaFrameList;
class TPreparedPictures;

struct TOrbaItemFrame {
  std::unique_ptr<TDIBX> surface;
  std::unique_ptr<TDIBX> mask;  // 8 bits, or none
  int64_t transparent_color = -1;  // 0x00BBGGRR, -1 none
  int32_t delay = 1;               // never 0
};

// The frames of a picture made ready ahead of need, as a new entry would
// hold them (TOrbaCollection::Prepare).
struct TPreparedPicture {
  std::vector<TOrbaItemFrame> frames;
  int32_t width = 0, height = 0, total_delay = 0;
};

class TOrbaItem : public THashCollectionItem {
 public:
  const std::vector<TOrbaItemFrame>& Frames() const { return frames_; }
  int32_t FrameCount() const { return static_cast<int32_t>(frames_.size()); }
  // The first frame's size.
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  int32_t TotalDelay() const { return total_delay_; }
  // The game has no such file: the entry holds the invisible placeholder.
  bool Missing() const { return missing_; }
  const std::vector<TImageOwner>& Owners() const { return owners_; }

 private:
  friend class TOrbaCollection;
  std::vector<TImageOwner> owners_;
  std::vector<TOrbaItemFrame> frames_;
  int32_t width_ = 0, height_ = 0, total_delay_ = 0;
  bool missing_ = false;
  bool prepared_ = false;  // the frames are those taken from the prepared store, untouched
};

class TOrbaCollection {
 public:
  // The screen's bit count; the player's screen always works at 32.
  static constexpr int32_t kBitCount = 32;

  explicit TOrbaCollection(TImageFileSource& files, int32_t identification_code = 0)
      : files_(files), key_(identification_code) {}

  void SetIdentificationCode(int32_t code) { key_ = code; }
  // Where pictures decoded ahead of need wait (nullptr: none); it must
  // outlive the cache.
  void SetPrepared(TPreparedPictures* prepared) { prepared_ = prepared; }
  // What a new entry without masks made from transparent colours holds for
  // the decoded frames, for TPreparedPictures; safe on any thread.
  static TPreparedPicture Prepare(const TOrbaFrameList& list);

  // The entry of the key (name, "?m" with make_masks), loaded when new; the
  // owner joins its owners once. A decoding error leaves no entry behind.
  TOrbaItem& Acquire(TImageOwner owner, std::string_view name, bool make_masks);
  // The owner leaves; an entry without owners is freed at once. An owner or
  // entry the cache does not know is ignored.
  void Release(const TOrbaItem& item, TImageOwner owner);
  // Frees the entries of name and name + "?m" that no owner holds.
  void Invalidate(std::string_view name);
  // Reads every entry's file again into the same surfaces. With recreate the
  // surfaces are first set to the screen's bit count. An entry whose file
  // fails to decode shows nothing; the first such error is raised after all
  // entries are done.
  void Reload(bool recreate);

  uint8_t ReduceFlag() const { return reduce_flag_; }
  // A changed value reloads every entry.
  void SetReduceFlag(uint8_t value);
  void SaveState(ByteWriter& out) const { out.U8(reduce_flag_); }
  // Saved data of versions above 100 hold the flag.
  void LoadState(ByteReader& in, int32_t version);

  int32_t Count() const { return items_.Count(); }
  TOrbaItem* Find(std::string_view key) const { return items_.Find(key); }
  static int32_t FrameCount(const TOrbaItem& item) { return item.FrameCount(); }

  // Draws source_rect of the frame at (x, y) by the alpha code: 1..254
  // blends, 255 copies, 256..511 adds with weight code - 256; through the
  // frame's mask when it has one, else keyed by its transparent colour.
  static void DrawItemFrame(const TOrbaItemFrame& frame, TCustomDIBX& dest, int32_t x, int32_t y,
                            int32_t alpha_code, bool flip_v, bool flip_h, const TRect& source_rect);
  // The same for any picture with an optional mask (a frame's lightened
  // copy, a control's own surface).
  static void DrawPicture(const TCustomDIBX& source, const TCustomDIBX* mask, TCustomDIBX& dest, int32_t x,
                          int32_t y, int32_t alpha_code, bool flip_v, bool flip_h, const TRect& source_rect);
  // Covers rect with copies of source_rect, starting inside it at (offset x
  // mod width, offset y mod height); flipped axes place the pieces from the
  // far edge back. An empty source draws nothing.
  static void TileItemFrame(const TOrbaItemFrame& frame, TCustomDIBX& dest, const TRect& rect,
                            int32_t alpha_code, bool flip_v, bool flip_h, int32_t offset_y,
                            int32_t offset_x, const TRect& source_rect);

 private:
  void Load(TOrbaItem& item, bool recreate);
  static void FillFrames(TOrbaItem& item, const TOrbaFrameList& list, bool make_masks, bool recreate);
  void FillPlaceholder(TOrbaItem& item, bool make_masks, bool recreate);
  void Remove(const TOrbaItem& item);
  // Deletes the entry at index (frames taken from the prepared store go
  // back to it) and tells the store its file is no longer held.
  void Delete(int32_t index);

  TImageFileSource& files_;
  int32_t key_;
  uint8_t reduce_flag_ = 0;
  THashCollection<TOrbaItem> items_;
  TPreparedPictures* prepared_ = nullptr;
};

}  // namespace rivo
