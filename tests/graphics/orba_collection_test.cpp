// The image cache over a table of files that counts its reads.

#include "graphics/orba_collection.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "common/error.h"
#include "common/sjis.h"
#include "graphics/orba_frame_list.h"
#include "graphics/png_codec.h"
#include "graphics/prepared_pictures.h"
#include "graphics/surface_loader.h"

namespace rivo {
namespace {

class FileTable : public TImageFileSource {
 public:
  std::optional<std::string> ReadImageFile(const std::string& name) override {
    for (const auto& [file, bytes] : files) {
      if (!sjis::SameText(file, name)) continue;
      ++reads[file];
      return bytes;
    }
    return std::nullopt;
  }
  std::map<std::string, std::string> files;
  std::map<std::string, int> reads;
};

constexpr TImageOwner kOwnerA{1}, kOwnerB{2};

// A layered image with one frame per delay: 2 x 1, 24 bits, pixels
// (frame index, 0x808080), transparent value 0x808080 on the first.
std::string Animation(std::vector<int32_t> delays) {
  TOrbaFrameList list;
  for (std::size_t i = 0; i < delays.size(); ++i) {
    TOrbaFrame& f = list.AddFrame();
    f.surface.SetSize(2, 1, 24);
    f.surface.WritePixel(0, 0, static_cast<uint32_t>(i + 1) * 0x010203u);
    f.surface.WritePixel(1, 0, 0x808080);
    f.delay = delays[i];
    if (i == 0) f.SetTransparentValue(0x808080);
    f.first_rects = {{0, 0, 1, 1}};
  }
  return list.SaveToStream();
}

TEST(OrbaCollectionTest, OwnersShareAnEntryThatTheLastReleaseFrees) {
  FileTable files;
  files.files["a.orb"] = Animation({100});
  TOrbaCollection cache(files);
  TOrbaItem& a = cache.Acquire(kOwnerA, "a.orb", false);
  EXPECT_EQ(&cache.Acquire(kOwnerB, "a.orb", false), &a);
  EXPECT_EQ(&cache.Acquire(kOwnerB, "a.orb", false), &a);  // listed once
  EXPECT_EQ(a.Owners().size(), 2u);
  EXPECT_EQ(files.reads["a.orb"], 1);
  cache.Release(a, TImageOwner{99});  // not an owner: nothing
  cache.Release(a, kOwnerA);
  ASSERT_EQ(cache.Count(), 1);
  cache.Release(a, kOwnerB);
  EXPECT_EQ(cache.Count(), 0);
}

TEST(OrbaCollectionTest, KeysFoldTheCaseOfLettersButNotOfTrailBytesAndMasksMakeTheirOwnEntry) {
  FileTable files;
  files.files["bg.orb"] = Animation({100});
  files.files["\x83\x41.orb"] = Animation({100});  // ア
  files.files["\x83\x61.orb"] = Animation({100});  // ヂ (trail byte a)
  TOrbaCollection cache(files);
  TOrbaItem& plain = cache.Acquire(kOwnerA, "BG.ORB", false);
  EXPECT_EQ(&cache.Acquire(kOwnerA, "bg.orb", false), &plain);
  TOrbaItem& masked = cache.Acquire(kOwnerA, "bg.orb", true);
  EXPECT_NE(&masked, &plain);
  EXPECT_EQ(masked.Name(), "bg.orb?m");
  EXPECT_EQ(cache.Count(), 2);
  // Masks made from the transparent colour: 0x808080 is clear.
  EXPECT_EQ(plain.Frames()[0].mask, nullptr);
  ASSERT_NE(masked.Frames()[0].mask, nullptr);
  EXPECT_EQ(masked.Frames()[0].mask->GetPixel(0, 0), 255u);
  EXPECT_EQ(masked.Frames()[0].mask->GetPixel(1, 0), 0u);
  cache.Acquire(kOwnerA, "\x83\x41.orb", false);
  cache.Acquire(kOwnerA, "\x83\x61.orb", false);
  EXPECT_EQ(cache.Count(), 4);
}

TEST(OrbaCollectionTest, AMissingFileHasOneFrameThatChangesNoPixel) {
  FileTable files;
  TOrbaCollection cache(files);
  for (bool masks : {false, true}) {
    const TOrbaItem& item = cache.Acquire(kOwnerA, "none.orb", masks);
    ASSERT_EQ(item.FrameCount(), 1);
    EXPECT_EQ(item.Width(), 8);
    EXPECT_EQ(item.Frames()[0].transparent_color, 0);
    EXPECT_EQ(item.Frames()[0].mask != nullptr, masks);
    TDIBX screen;
    screen.SetSize(10, 10, 32);
    screen.Clear(0x123456);
    for (int32_t code : {1, 128, 255, 300, 511})
      TOrbaCollection::DrawItemFrame(item.Frames()[0], screen, 1, 1, code, false, false, {0, 0, 8, 8});
    for (int32_t y = 0; y < 10; ++y)
      for (int32_t x = 0; x < 10; ++x) ASSERT_EQ(screen.GetPixel(x, y), 0x123456u) << x << "," << y;
  }
}

TEST(OrbaCollectionTest, DelaysOfZeroBecomeOneAndAddUp) {
  FileTable files;
  files.files["anim.orb"] = Animation({100, 0, 50});
  TOrbaCollection cache(files);
  const TOrbaItem& item = cache.Acquire(kOwnerA, "anim.orb", false);
  ASSERT_EQ(TOrbaCollection::FrameCount(item), 3);
  EXPECT_EQ(item.Frames()[0].delay, 100);
  EXPECT_EQ(item.Frames()[1].delay, 1);
  EXPECT_EQ(item.Frames()[2].delay, 50);
  EXPECT_EQ(item.TotalDelay(), 151);
}

TEST(OrbaCollectionTest, ADamagedFileFailsAndTheNextAcquireReadsItAgain) {
  FileTable files;
  files.files["bad.orb"] = Animation({100}).substr(0, 80);
  TOrbaCollection cache(files);
  EXPECT_THROW(cache.Acquire(kOwnerA, "bad.orb", false), LoadError);
  EXPECT_EQ(cache.Count(), 0);
  EXPECT_THROW(cache.Acquire(kOwnerA, "bad.orb", false), LoadError);
  EXPECT_EQ(files.reads["bad.orb"], 2);
  files.files["bad.orb"] = Animation({100});
  EXPECT_EQ(cache.Acquire(kOwnerA, "bad.orb", false).FrameCount(), 1);
}

TEST(OrbaCollectionTest, FramesBecomeThirtyTwoBitSurfacesKeyedByTheirTransparentColour) {
  TOrbaFrameList list;
  TOrbaFrame& rgb565 = list.AddFrame();
  rgb565.surface.SetSize(2, 1, 16);
  rgb565.surface.WritePixel(0, 0, 0xF800);  // red
  rgb565.surface.WritePixel(1, 0, 0x07E0);  // green
  rgb565.SetTransparentValue(0x07E0);
  TOrbaFrame& indexed = list.AddFrame();
  indexed.surface.SetSize(2, 1, 8);
  indexed.surface.Palette()[7] = {0x10, 0x20, 0x30, 0};
  indexed.surface.WritePixel(1, 0, 7);
  TOrbaFrame& bgrx = list.AddFrame();
  bgrx.surface.SetSize(1, 1, 32);
  bgrx.surface.WritePixel(0, 0, 0xFF112233);
  bgrx.second_rects = {{1, 1, 2, 2}};
  FileTable files;
  files.files["mix.orb"] = list.SaveToStream();
  TOrbaCollection cache(files);
  const TOrbaItem& item = cache.Acquire(kOwnerA, "mix.orb", false);
  const TDIBX& a = *item.Frames()[0].surface;
  EXPECT_EQ(a.BitCount(), 32);
  EXPECT_EQ(a.GetPixel(0, 0), 0xFF0000u);
  EXPECT_EQ(a.GetPixel(1, 0), 0x00FF00u);
  EXPECT_EQ(a.TransparentColor(), 0x00FF00);  // equals the keyed pixel
  EXPECT_EQ(item.Frames()[0].transparent_color, 0x00FF00);
  EXPECT_EQ(item.Frames()[1].surface->GetPixel(1, 0), 0x302010u);
  EXPECT_EQ(item.Frames()[1].surface->TransparentColor(), -1);
  EXPECT_EQ(item.Frames()[2].surface->GetPixel(0, 0), 0x112233u);  // fourth byte 0
  EXPECT_EQ(item.Frames()[2].surface->SecondRects(), (std::vector<TRect>{{1, 1, 2, 2}}));
}

TEST(OrbaCollectionTest, ReloadsRefillTheSameSurfaces) {
  FileTable files;
  files.files["a.orb"] = Animation({100, 100});
  TOrbaCollection cache(files);
  const TOrbaItem& item = cache.Acquire(kOwnerA, "a.orb", false);
  const TDIBX* first = item.Frames()[0].surface.get();
  TOrbaFrameList bigger;
  bigger.AddFrame().surface.SetSize(5, 4, 24);
  bigger.Frames(0).surface.WritePixel(4, 3, 0xABCDEF);
  files.files["a.orb"] = bigger.SaveToStream();
  cache.Reload(true);
  EXPECT_EQ(files.reads["a.orb"], 2);
  EXPECT_EQ(item.Frames()[0].surface.get(), first);
  EXPECT_EQ(first->Width(), 5);
  EXPECT_EQ(first->GetPixel(4, 3), 0xABCDEFu);
  EXPECT_EQ(item.FrameCount(), 1);

  cache.SetReduceFlag(0);  // unchanged: nothing
  EXPECT_EQ(files.reads["a.orb"], 2);
  cache.SetReduceFlag(1);
  EXPECT_EQ(files.reads["a.orb"], 3);
  ByteWriter saved;
  cache.SaveState(saved);
  EXPECT_EQ(saved.data(), std::string(1, '\1'));
  ByteReader old_save(std::string_view("\0", 1), "save.dat");
  cache.LoadState(old_save, 100);  // no flag before version 101
  EXPECT_EQ(old_save.Position(), 0u);
  ByteReader new_save(std::string_view("\0", 1), "save.dat");
  cache.LoadState(new_save, 101);
  EXPECT_EQ(cache.ReduceFlag(), 0);
  EXPECT_EQ(files.reads["a.orb"], 4);

  cache.Invalidate("A.ORB");  // held: stays
  EXPECT_EQ(cache.Count(), 1);
}

// Offers each file's frames, as decoded ahead, once; keeps what comes back.
class PreparedTable : public TPreparedPictures {
 public:
  explicit PreparedTable(FileTable& files) : files_(files) {}
  std::optional<TPreparedPicture> TakePrepared(const std::string& name, int32_t) override {
    if (!offer.count(name)) return std::nullopt;
    offer.erase(name);
    TOrbaFrameList list;
    list.LoadPicture(*files_.ReadImageFile(name), name);
    return TOrbaCollection::Prepare(list);
  }
  void GiveBack(const std::string& name, TPreparedPicture picture) override { given_back[name].push_back(std::move(picture)); }
  void SetHeld(const std::string&, bool) override {}
  std::set<std::string> offer;
  std::map<std::string, std::vector<TPreparedPicture>> given_back;

 private:
  FileTable& files_;
};

// The pictures taken from the store go back to it when let go of, as they
// were taken; a picture of the cache's own reading, or refilled by a
// reload, is the cache's to free.
TEST(OrbaCollectionTest, PicturesTakenFromThePreparedStoreGoBackToItUntouched) {
  FileTable files;
  files.files["a.orb"] = files.files["b.orb"] = files.files["c.orb"] = Animation({100, 50});
  PreparedTable prepared(files);
  prepared.offer = {"a.orb", "c.orb"};
  TOrbaCollection cache(files);
  cache.SetPrepared(&prepared);
  const TOrbaItem& a = cache.Acquire(kOwnerA, "a.orb", false);
  const TDIBX* a_first = a.Frames()[0].surface.get();
  const TOrbaItem& b = cache.Acquire(kOwnerA, "b.orb", false);
  EXPECT_EQ(files.reads["b.orb"], 1);  // the cache's own reading
  cache.Release(a, kOwnerA);
  cache.Release(b, kOwnerA);
  ASSERT_EQ(prepared.given_back["a.orb"].size(), 1u);
  const TPreparedPicture& back = prepared.given_back["a.orb"][0];
  ASSERT_EQ(back.frames.size(), 2u);
  EXPECT_EQ(back.frames[0].surface.get(), a_first);
  EXPECT_EQ(back.total_delay, 150);
  EXPECT_EQ(back.width, 2);
  EXPECT_FALSE(prepared.given_back.count("b.orb"));

  const TOrbaItem& c = cache.Acquire(kOwnerA, "c.orb", false);
  cache.Reload(false);
  cache.Release(c, kOwnerA);
  EXPECT_FALSE(prepared.given_back.count("c.orb"));
}

TEST(OrbaCollectionTest, DrawingGoesThroughTheMaskOrTheKey) {
  FileTable files;
  files.files["a.orb"] = Animation({100});
  TOrbaCollection cache(files);
  for (bool masks : {false, true}) {
    const TOrbaItemFrame& frame = cache.Acquire(kOwnerA, "a.orb", masks).Frames()[0];
    TDIBX screen;
    screen.SetSize(2, 1, 32);
    screen.Clear(0x000010);
    TOrbaCollection::DrawItemFrame(frame, screen, 0, 0, 255, false, false, {0, 0, 2, 1});
    EXPECT_EQ(screen.GetPixel(0, 0), 0x010203u);
    EXPECT_EQ(screen.GetPixel(1, 0), 0x000010u);  // the transparent colour stays out
  }
}

TEST(OrbaCollectionTest, TilesCoverTheRectangleFromTheOffsetAndMirrorWhenFlipped) {
  TOrbaItemFrame frame;
  frame.surface = std::make_unique<TDIBX>();
  frame.surface->SetSize(3, 1, 32);
  for (uint32_t x = 0; x < 3; ++x) frame.surface->SetPixel(static_cast<int32_t>(x), 0, 10 + x);
  auto row = [&](bool flip_h, int32_t offset_x, const TRect& source) {
    TDIBX screen;
    screen.SetSize(7, 1, 32);
    screen.Clear(0);
    TOrbaCollection::TileItemFrame(frame, screen, {1, 0, 6, 1}, 255, false, flip_h, 0, offset_x, source);
    std::vector<uint32_t> out;
    for (int32_t x = 0; x < 7; ++x) out.push_back(screen.GetPixel(x, 0));
    return out;
  };
  EXPECT_EQ(row(false, 1, {0, 0, 3, 1}), (std::vector<uint32_t>{0, 11, 12, 10, 11, 12, 0}));
  EXPECT_EQ(row(false, -1, {0, 0, 3, 1}), (std::vector<uint32_t>{0, 12, 10, 11, 12, 10, 0}));
  // Pieces from the right edge leftwards, each mirrored.
  EXPECT_EQ(row(true, 1, {0, 0, 3, 1}), (std::vector<uint32_t>{0, 12, 11, 10, 12, 11, 0}));
  EXPECT_EQ(row(false, 0, {1, 0, 1, 1}), std::vector<uint32_t>(7, 0));  // empty source

  // A huge rectangle draws only what the destination shows.
  TDIBX screen;
  screen.SetSize(4, 1, 32);
  TOrbaCollection::TileItemFrame(frame, screen, {-2000000000, 0, 2000000000, 1}, 255, true, true, 0, 0,
                                 {0, 0, 1, 1});
  EXPECT_EQ(screen.GetPixel(3, 0), 10u);
}

TEST(SurfaceLoaderTest, BitmapsPngsAndLayeredImagesLoadStraightIntoASurface) {
  TDIBSurface picture;
  picture.SetSize(3, 2, 24);
  picture.WritePixel(2, 1, 0x445566);
  TOrbaFrameList scrambled(777);
  scrambled.AddFrame().surface = picture;
  scrambled.AddFrame().surface.SetSize(9, 9, 24);
  const std::pair<const char*, std::string> inputs[] = {
      {"bmp", picture.SaveToStream()}, {"png", WritePng(picture)}, {"orb", scrambled.SaveToStream()}};
  for (const auto& [what, bytes] : inputs) {
    TDIBX surface;
    LoadSurfaceFromStream(surface, bytes, 777, "x");
    EXPECT_EQ(surface.Width(), 3) << what;
    EXPECT_EQ(surface.BitCount(), 32) << what;
    EXPECT_EQ(surface.GetPixel(2, 1), 0x445566u) << what;
  }
  TDIBX untouched;
  untouched.SetSize(2, 2, 32);
  LoadSurfaceFromStream(untouched, "GIF89a", 0, "x");
  LoadSurfaceFromStream(untouched, "", 0, "x");
  EXPECT_EQ(untouched.Width(), 2);
}

}  // namespace
}  // namespace rivo
