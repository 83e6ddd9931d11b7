#include "host/glyph_ahead.h"

#include <algorithm>
#include <exception>

#include "common/sjis.h"
#include "text/font_pixel_manager.h"
#include "platform/background_thread.h"

namespace rivo {
namespace {

// Glyphs one plan asks for at most.
constexpr std::size_t kMaxRequests = 8192;
// What a ready glyph costs beyond its pixels (the surface with its palette,
// the hash node).
constexpr int64_t kGlyphOverhead = sizeof(GlyphImage) + 64;

int64_t GlyphBytes(const GlyphImage& glyph) {
  return static_cast<int64_t>(glyph.pixels.Pitch()) * glyph.pixels.Height() + kGlyphOverhead;
}

}  // namespace

GlyphAhead::GlyphAhead(RasteriserMaker make, Limits limits) : make_(std::move(make)), limits_(limits) {
  worker_ = std::thread([this] { Run(); });
}

GlyphAhead::~GlyphAhead() {
  {
    std::lock_guard hold(lock_);
    stopping_ = true;
  }
  wake_.notify_all();
  worker_.join();
}

bool GlyphAhead::TakeGlyph(std::string_view font_identity, int32_t level, uint16_t code, GlyphImage& glyph) {
  // Rendering a glyph itself costs the cache tens of microseconds, so the
  // lock is worth a wait as short as the worker's holds of it, never longer
  // (the worker may hold it while preempted at its background rank): a
  // glyph not taken is rendered by the cache, the same.
  std::unique_lock hold(lock_, std::defer_lock);
  const auto give_up = std::chrono::steady_clock::now() + kLockPatience;
  while (!hold.try_lock())
    if (std::chrono::steady_clock::now() >= give_up) return false;
  const bool replan = SendUnsentFonts();
  // Taken, the glyph's place stays, empty: the worker does not render it again.
  std::optional<GlyphImage>* ready = Find(font_identity, level, code);
  const bool taken = ready && *ready;
  if (taken) {
    bytes_ -= GlyphBytes(**ready);
    glyph = std::move(**ready);
    ready->reset();
  }
  hold.unlock();
  if (replan) wake_.notify_one();
  return taken;
}

GlyphAhead::Shelf* GlyphAhead::ShelfOf(std::string_view identity, int32_t level) {
  for (Shelf& shelf : shelves_)
    if (shelf.level == level && shelf.identity == identity) return &shelf;
  return nullptr;
}

std::optional<GlyphImage>* GlyphAhead::Find(std::string_view identity, int32_t level, uint16_t code) {
  Shelf* shelf = ShelfOf(identity, level);
  if (!shelf) return nullptr;
  const auto it = shelf->glyphs.find(code);
  return it == shelf->glyphs.end() ? nullptr : &it->second;
}

void GlyphAhead::FontUsed(const GlyphFont& font) {
  if (std::find(unsent_.begin(), unsent_.end(), font) == unsent_.end()) unsent_.push_back(font);
  // Without waiting for the worker: the fonts are sent with the next call that finds the lock free.
  std::unique_lock hold(lock_, std::try_to_lock);
  if (!hold || !SendUnsentFonts()) return;
  hold.unlock();
  wake_.notify_one();
}

bool GlyphAhead::SendUnsentFonts() {
  bool replan = false;
  for (const GlyphFont& font : unsent_) {
    const auto known = std::find(recent_.begin(), recent_.end(), font);
    if (known != recent_.end()) {
      // Known fonts only change places: the plan already has their glyphs.
      std::rotate(recent_.begin(), known, known + 1);
      continue;
    }
    recent_.insert(recent_.begin(), font);
    if (recent_.size() > limits_.recent_fonts) recent_.pop_back();
    replan = replan || !(plan_.empty() && read_unplanned_.empty());
  }
  unsent_.clear();
  if (replan) replan_ = true;
  return replan;
}

void GlyphAhead::PageRead(const std::string& name, TPage& page) {
  try {
    auto texts = std::make_shared<const PageGlyphTexts>(FindPageGlyphTexts(page));
    std::lock_guard hold(lock_);
    texts_[sjis::LowerCase(name)] = std::move(texts);
    if (planned_) return;
    read_unplanned_.push_back(name);
    replan_ = true;
  } catch (const std::exception&) {
    // Out of memory: the page's glyphs are rendered when it draws them.
    return;
  }
  wake_.notify_one();
}

void GlyphAhead::Planned(const std::vector<std::string>& pages) {
  {
    std::lock_guard hold(lock_);
    planned_ = true;
    read_unplanned_.clear();  // the plan names them
    if (pages == plan_) return;
    // The same pages in another order only change what comes first.
    if (!std::is_permutation(pages.begin(), pages.end(), plan_.begin(), plan_.end())) previous_plan_ = std::move(plan_);
    plan_ = pages;
    replan_ = true;
  }
  wake_.notify_one();
}

bool GlyphAhead::WaitUntilIdle(std::optional<std::chrono::steady_clock::time_point> deadline) {
  std::unique_lock hold(lock_);
  if (SendUnsentFonts()) wake_.notify_one();
  const auto idle = [&] { return stopping_ || (!replan_ && !working_); };
  if (!deadline) {
    idle_.wait(hold, idle);
    return true;
  }
  return idle_.wait_until(hold, *deadline, idle);
}

std::size_t GlyphAhead::ReadyCount() const {
  std::lock_guard hold(lock_);
  std::size_t count = 0;
  for (const Shelf& shelf : shelves_)
    count += static_cast<std::size_t>(
        std::count_if(shelf.glyphs.begin(), shelf.glyphs.end(), [](const auto& glyph) { return glyph.second.has_value(); }));
  return count;
}

int64_t GlyphAhead::ReadyBytes() const {
  std::lock_guard hold(lock_);
  return bytes_;
}

void GlyphAhead::Run() {
  std::unique_ptr<FontRasteriser> fonts;
  std::unique_ptr<TFontPixelManager> opener;  // opens faces with the glyph cache's own fallback
  try {
    fonts = make_();
    if (fonts) opener = std::make_unique<TFontPixelManager>(*fonts);
  } catch (const std::exception&) {
    // No fonts here: the glyph cache renders everything itself.
  }
  for (;;) {
    Inputs inputs;
    {
      std::unique_lock hold(lock_);
      working_ = false;
      idle_.notify_all();
      wake_.wait(hold, [&] { return stopping_ || replan_; });
      if (stopping_) return;
      replan_ = false;
      working_ = true;
      std::set<std::string, std::less<>> named;
      for (const std::vector<std::string>* plan : {&plan_, &previous_plan_, &read_unplanned_})
        for (const std::string& page : *plan) {
          std::string key = sjis::LowerCase(page);
          const auto it = texts_.find(key);
          if (it != texts_.end() && named.insert(std::move(key)).second) inputs.pages.push_back(it->second);
        }
      inputs.recent = recent_;
    }
    if (!opener) continue;
    rank_.Apply();
    try {
      Work(inputs, *opener);
    } catch (const std::exception&) {
      // Out of memory, most likely: rendering ahead is a help, never a need.
    }
  }
}

std::vector<GlyphAhead::Request> GlyphAhead::Requests(const Inputs& inputs) {
  std::vector<Request> requests;
  auto add = [&](const GlyphFont& font, const std::vector<uint16_t>& codes) {
    for (uint16_t code : codes) {
      if (requests.size() >= kMaxRequests) return;
      requests.emplace_back(font, code);
    }
  };
  // Message windows the coming pages create, then any window they may type into.
  std::vector<GlyphFont> windows;
  for (const auto& page : inputs.pages)
    for (const GlyphFont& font : page->windows)
      if (std::find(windows.begin(), windows.end(), font) == windows.end()) windows.push_back(font);
  auto messages_in = [&](const GlyphFont& window) {
    for (const auto& page : inputs.pages)
      for (const PageGlyphTexts::MessageRun& run : page->messages) add(PageGlyphTexts::RunFont(run, window), run.codes);
  };
  auto captions_at = [&](std::size_t rank) {
    for (const auto& page : inputs.pages)
      for (const PageGlyphTexts::Caption& caption : page->captions)
        if (rank < caption.fonts.size()) add(caption.fonts[rank], caption.codes);
  };
  // A page's texts built at run time, likely of its own constants.
  auto computed_at = [&](std::size_t rank) {
    for (const auto& page : inputs.pages)
      if (rank < page->computed.size()) add(page->computed[rank], page->others);
  };
  // The likeliest font of every text first, then the second guesses.
  captions_at(0);
  if (!windows.empty()) messages_in(windows.front());
  for (const GlyphFont& font : inputs.recent) messages_in(font);
  computed_at(0);
  std::size_t ranks = windows.size();
  for (const auto& page : inputs.pages) {
    for (const PageGlyphTexts::Caption& caption : page->captions) ranks = std::max(ranks, caption.fonts.size());
    ranks = std::max(ranks, page->computed.size());
  }
  for (std::size_t rank = 1; rank < ranks; ++rank) {
    captions_at(rank);
    if (rank < windows.size()) messages_in(windows[rank]);
    computed_at(rank);
  }
  for (const GlyphFont& font : inputs.recent)
    for (const auto& page : inputs.pages) add(font, page->others);
  return requests;
}

void GlyphAhead::Work(const Inputs& inputs, TFontPixelManager& opener) {
  const std::vector<Request> requests = Requests(inputs);
  // Each font opened once; the keys tell which requests are one glyph.
  std::map<std::tuple<std::string, int32_t, uint8_t>, std::shared_ptr<RasterFont>> fonts;
  std::vector<std::pair<RasterFont*, Key>> glyphs;
  Plan plan;
  for (const auto& [font, code] : requests) {
    if (Interrupted()) return;
    auto& opened = fonts[{font.face, font.size, font.style}];
    if (!opened) opened = opener.OpenFont(font.face, font.size, font.style);
    if (!opened || opened->Identity().empty()) continue;
    ShelfPlan& shelf = plan[{std::string(opened->Identity()), font.level}];
    if (!shelf.codes.insert(code).second) continue;
    shelf.places.emplace_back(code, glyphs.size());
    glyphs.emplace_back(opened.get(), Key{std::string(opened->Identity()), font.level, code});
  }
  // What is on the shelves is looked at in one hold of the lock, not one per
  // glyph: the cache waits for the lock only briefly, and renders a glyph
  // itself when the worker holds it longer.
  const std::vector<bool> missing = Keep(plan, glyphs.size());
  for (std::size_t i = 0; i < glyphs.size(); ++i) {
    if (!missing[i]) continue;
    if (Interrupted()) return;
    rank_.Apply();
    const auto& [font, key] = glyphs[i];
    RasterGlyph raw;
    bool rendered = false;
    try {
      rendered = font->Render(key.code, key.level, raw);
    } catch (const std::exception&) {
      rendered = false;
    }
    // A glyph that cannot be rendered at its level is the cache's to fall back on.
    if (rendered && !Put(key, PlaceGlyph(*font, key.code, key.level, raw))) return;
  }
}

std::vector<bool> GlyphAhead::Keep(const Plan& plan, std::size_t count) {
  std::vector<bool> missing(count, true);
  std::vector<GlyphImage> dropped;  // freed outside the lock
  std::lock_guard hold(lock_);
  for (Shelf& shelf : shelves_) {
    const auto planned = plan.find({shelf.identity, shelf.level});
    std::erase_if(shelf.glyphs, [&](auto& glyph) {
      if (planned != plan.end() && planned->second.codes.count(glyph.first)) return false;
      if (glyph.second) {
        dropped.push_back(std::move(*glyph.second));
        bytes_ -= GlyphBytes(dropped.back());
      }
      return true;
    });
    if (planned == plan.end()) continue;
    for (const auto& [code, place] : planned->second.places)
      if (shelf.glyphs.count(code)) missing[place] = false;
  }
  std::erase_if(shelves_, [](const Shelf& shelf) { return shelf.glyphs.empty(); });
  return missing;
}

bool GlyphAhead::Put(const Key& key, GlyphImage glyph) {
  const int64_t bytes = GlyphBytes(glyph);
  std::lock_guard hold(lock_);
  if (bytes_ + bytes > limits_.budget) return false;
  Shelf* shelf = ShelfOf(key.identity, key.level);
  if (!shelf) shelf = &shelves_.emplace_back(Shelf{key.identity, key.level, {}});
  shelf->glyphs.insert_or_assign(key.code, std::move(glyph));
  bytes_ += bytes;
  return true;
}

}  // namespace rivo
