#include "media/cursor_cache.h"

#include <fstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "content/vr_file_collection.h"
#include "content/vr_file_manager.h"
#include "fake_window.h"
#include "graphics/cursor_fixture.h"
#include "platform/private_temp_folder.h"

namespace rivo {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing_media::FakeWindow;

class CursorCache : public ::testing::Test {
 protected:
  CursorCache() {
    files_.MountArchive({});
    files_.SetBaseFolder(game_.Path());
    Write("hand.cur", testing_cursor::Directory(
                          testing_cursor::BitmapPicture(2, 1, {0xFF0000, 0xFF}, 24, {false, false}), 0, 0));
    Write("broken.cur", "not a pointer");
  }
  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(game_.Path() / name, std::ios::binary) << bytes;
  }
  // The temporary copies the file manager made.
  bool TempFolderIsEmpty() const { return std::filesystem::is_empty(temp_.Path()); }

  PrivateTempFolder game_;
  PrivateTempFolder temp_;
  TVrFileManager files_{temp_.Path()};
  FakeWindow window_;
  TCursorCache cache_{&files_, &window_};
};

TEST_F(CursorCache, ShowsAFileOnceAndTheArrowForNoFile) {
  cache_.Show("hand.cur");
  cache_.Show("hand.cur");
  cache_.Show("");
  cache_.Show("hand.cur");
  EXPECT_THAT(window_.cursors, ElementsAre("hand.cur 2x1", "arrow", "hand.cur 2x1"));
  EXPECT_EQ(cache_.Shown(), "hand.cur");
}

TEST(CursorCacheWithoutWindow, ShowsThePointerAgainOnceTheWindowComes) {
  TCursorCache cache(nullptr, nullptr);
  cache.Show("");
  FakeWindow window;
  cache.SetWindow(&window);
  cache.Show("");
  cache.Show("");
  EXPECT_THAT(window.cursors, ElementsAre("arrow"));
}

TEST_F(CursorCache, AFileThatFailsKeepsTheArrowAndIsNotReadAgain) {
  cache_.Show("broken.cur");
  cache_.Show("missing.cur");
  EXPECT_THAT(window_.cursors, ElementsAre("arrow", "arrow"));
  EXPECT_TRUE(cache_.Failed("broken.cur"));
  EXPECT_TRUE(cache_.Failed("missing.cur"));
  // Fixing the file on disk changes nothing: the name is remembered as failed.
  Write("broken.cur", testing_cursor::Directory(testing_cursor::BitmapPicture(1, 1, {0}, 24, {false}), 0, 0));
  cache_.Show("hand.cur");
  cache_.Show("broken.cur");
  EXPECT_THAT(window_.cursors, ElementsAre("arrow", "arrow", "hand.cur 2x1", "arrow"));
  EXPECT_FALSE(cache_.Failed("hand.cur"));
}

TEST_F(CursorCache, ReadsArchivedFilesFromMemoryWithoutTemporaryCopies) {
  std::string bytes =
      testing_cursor::Directory(testing_cursor::BitmapPicture(3, 1, {0, 0, 0}, 24, {false, false, false}), 0, 0);
  TVrFile& entry = files_.Source(0).AddMemoryEntry("stored.cur");
  entry.Data->WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  cache_.Show("stored.cur");
  EXPECT_THAT(window_.cursors, ElementsAre("stored.cur 3x1"));
  EXPECT_TRUE(TempFolderIsEmpty());
}

}  // namespace
}  // namespace rivo
