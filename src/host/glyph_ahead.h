#pragma once
// GlyphAhead: renders, on a thread of its own, the glyphs of the texts the
// coming pages spell out, so that the tick that first draws them takes them
// ready instead of rendering them (FreeType's hinting and rendering are most
// of the work of a tick that shows a new scene).
//
// What it renders: the look-ahead loader tells it the pages it reads and
// the pages each plan names (look_ahead_watcher.h); page_glyph_texts.h finds
// their texts and what the pages say of their fonts, and the fonts the glyph
// cache used last fill in what the pages do not say. Glyphs are rendered in
// the plan's order (then those of the plan before) while they fit within a
// budget; what neither plan names is dropped.
//
// Byte for byte the same: the worker opens its fonts through a rasteriser of
// its own (FreeType objects are never shared between threads) with the
// glyph cache's own fallback, and offers each render under the identity of
// the font that made it. The cache takes a glyph only for a font of that
// identity at that level, so a guess at another size or face is never used;
// a glyph not ready is rendered by the cache as before, without waiting for it.
// Each render is converted here by the cache's own PlaceGlyph, so that the
// player thread only moves a ready glyph into its cache.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "host/look_ahead_watcher.h"
#include "platform/background_thread.h"
#include "platform/font_rasteriser.h"
#include "scenario/page_glyph_texts.h"
#include "text/prepared_glyphs.h"

namespace rivo {

class TFontPixelManager;

class GlyphAhead final : public TPreparedGlyphs, public LookAheadWatcher {
 public:
  // Makes the worker's own rasteriser, on the worker's thread; the same back
  // end as the glyph cache's.
  using RasteriserMaker = std::function<std::unique_ptr<FontRasteriser>()>;
  struct Limits {
    int64_t budget = int64_t{4} << 20;  // bytes of rendered glyphs kept ready
    std::size_t recent_fonts = 4;      // fonts the cache used last, tried for texts of unknown font
  };

  GlyphAhead(RasteriserMaker make, Limits limits);
  explicit GlyphAhead(RasteriserMaker make) : GlyphAhead(std::move(make), Limits{}) {}
  // Stops the worker, waiting for the glyph it is rendering.
  ~GlyphAhead() override;
  GlyphAhead(const GlyphAhead&) = delete;
  GlyphAhead& operator=(const GlyphAhead&) = delete;

  // The glyph cache's side (the player thread). Neither waits for the
  // worker's rendering; TakeGlyph waits for the lock at most kLockPatience.
  bool TakeGlyph(std::string_view font_identity, int32_t level, uint16_t code, GlyphImage& glyph) override;
  void FontUsed(const GlyphFont& font) override;

  // The look-ahead loader's side.
  void PageRead(const std::string& name, TPage& page) override;
  void Planned(const std::vector<std::string>& pages) override;

  // Waits until the worker has rendered what the latest plan names (or the
  // budget is full), or until deadline (false then); on the player thread,
  // at start-up, in tests and in measurements.
  bool WaitUntilIdle(std::optional<std::chrono::steady_clock::time_point> deadline = std::nullopt);
  // From now on the worker yields to the player: until then it works at
  // normal rank, for a player waiting for it at start-up.
  void YieldToPlayer() { rank_.Ask(); }
  std::size_t ReadyCount() const;
  int64_t ReadyBytes() const;

 private:
  struct Key {
    std::string identity;
    int32_t level = 0;
    uint16_t code = 0;
  };
  // The glyphs of one font identity at one level, by code: ready, or
  // (empty) taken by the cache since the plan first named them. Few fonts
  // are in use at a time, so the cache's lookup scans the shelves and finds
  // the code by hash, without building a key.
  struct Shelf {
    std::string identity;
    int32_t level = 0;
    std::unordered_map<uint16_t, std::optional<GlyphImage>> glyphs;
  };
  static constexpr std::chrono::microseconds kLockPatience{50};
  // What a plan names on one shelf: the codes, each with its place in the plan.
  struct ShelfPlan {
    std::unordered_set<uint16_t> codes;
    std::vector<std::pair<uint16_t, std::size_t>> places;
  };
  using Plan = std::map<std::pair<std::string, int32_t>, ShelfPlan>;
  using Request = std::pair<GlyphFont, uint16_t>;
  struct Inputs {
    std::vector<std::shared_ptr<const PageGlyphTexts>> pages;
    std::vector<GlyphFont> recent;
  };

  void Run();
  void Work(const Inputs& inputs, TFontPixelManager& opener);
  static std::vector<Request> Requests(const Inputs& inputs);
  bool Interrupted() const { return stopping_ || replan_; }
  // Under lock_: the shelf of a font identity at a level; null for none.
  Shelf* ShelfOf(std::string_view identity, int32_t level);
  // Under lock_: the glyph's place on its shelf, ready or handed over; null for none.
  std::optional<GlyphImage>* Find(std::string_view identity, int32_t level, uint16_t code);
  // Keeps the ready glyphs and the handed-over marks the plan names; drops
  // the rest. Tells, by place in the plan, which of its count glyphs no
  // shelf holds: those the worker renders.
  std::vector<bool> Keep(const Plan& plan, std::size_t count);
  // Stores a glyph; false when the budget is full.
  bool Put(const Key& key, GlyphImage glyph);
  // Under lock_: moves unsent_ into recent_; true when the plan must be made anew.
  bool SendUnsentFonts();

  const RasteriserMaker make_;
  const Limits limits_;

  mutable std::mutex lock_;
  std::condition_variable wake_, idle_;
  std::map<std::string, std::shared_ptr<const PageGlyphTexts>, std::less<>> texts_;  // by lower-case page name
  // The latest plan's pages, and the pages of the plan before it: a plan
  // made from a page that goes on by names computed at run time (a menu)
  // names little, while the pages it leads to were named before.
  std::vector<std::string> plan_, previous_plan_;
  // Until the loader's first plan, the pages it has read, in that order:
  // it plans only once it has read every page of the plan, which at the
  // start is about when the first scene draws its text.
  std::vector<std::string> read_unplanned_;
  bool planned_ = false;
  std::vector<GlyphFont> recent_;  // most recent first
  std::vector<GlyphFont> unsent_;  // the player thread's own: fonts used while the worker held lock_, oldest first
  std::vector<Shelf> shelves_;
  int64_t bytes_ = 0;
  std::atomic<bool> replan_{false};  // set under lock_, read by the worker while it renders
  std::atomic<bool> stopping_{false};
  bool working_ = false;  // under lock_
  BackgroundWhenAsked rank_;
  std::thread worker_;
};

}  // namespace rivo
