#pragma once
// The installed font files of one player, found once and shared by every
// rasteriser that draws from them, on whatever thread. Finding them is the
// costly part of starting the fonts (fontconfig reads its whole font list,
// tens of milliseconds, and a face's file is mapped in whole); a second
// rasteriser on another thread (the glyphs rendered ahead) then starts from
// the files the first one already found and mapped instead of starting
// fontconfig again.
//
// What is shared is only what does not change once made: fontconfig's
// configuration (its matching is safe from several threads) and the mapped
// bytes of the files, read-only. Every rasteriser keeps its own FreeType
// objects.

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/font_locator.h"

namespace rivo {

// A font file mapped whole, its pages entered in the page table at once.
// FreeType maps a file itself but leaves each page to be faulted in when a
// glyph first reads it; a page of text then paid a fault for most of its
// new characters (tens of microseconds each on a virtual machine), while
// entering the whole file costs about a millisecond, paid where the face
// is first opened (the font start, for the default faces).
class MappedFontFile {
 public:
  explicit MappedFontFile(const std::string& path);
  ~MappedFontFile();
  MappedFontFile(const MappedFontFile&) = delete;
  MappedFontFile& operator=(const MappedFontFile&) = delete;

  // Empty when the file could not be mapped.
  std::span<const uint8_t> Bytes() const { return bytes_; }

 private:
  std::span<const uint8_t> bytes_;
};

class FontFiles {
 public:
  // Throws PlatformError when fontconfig cannot start.
  FontFiles();
  FontFiles(const FontFiles&) = delete;
  FontFiles& operator=(const FontFiles&) = delete;

  // The file a face name (CP932) is drawn from, found once.
  std::optional<FontFile> Resolve(std::string_view face_cp932, bool bold);
  // The file's bytes, mapped once (empty bytes when it cannot be mapped).
  std::shared_ptr<const MappedFontFile> Map(const std::string& path);
  // Installed family names (UTF-8); with fixed_pitch only the fixed ones.
  std::vector<std::string> Families(bool fixed_pitch);

 private:
  FontconfigLocator locator_;
  // Only the two maps are guarded: a lookup or a mapping is made outside
  // the lock, so that a thread never waits for another's fontconfig match
  // (two threads asking at once both look; the answers are the same).
  std::mutex lock_;
  std::map<std::pair<std::string, bool>, std::optional<FontFile>, std::less<>> resolved_;
  std::map<std::string, std::shared_ptr<const MappedFontFile>, std::less<>> mapped_;
};

}  // namespace rivo
