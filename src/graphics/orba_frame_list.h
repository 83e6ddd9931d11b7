#pragma once
// TOrbaFrameList: the frames of a layered image (".orb", signature "Orba"
// and three digits of version), and of PNG, BMP and DIB pictures read
// through the same interface.
//
// The reader flattens each frame's layers as it goes; a frame keeps only its
// flattened picture. Scrambled files (a header byte says so) store their rows
// or tile tables in the order of a keyed shuffle whose key is the project's
// identification code. Every count and size in the file is checked against
// what remains and against the caps below before anything is allocated; a
// damaged file raises LoadError and the frames completed before stay.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/orba_frame.h"

namespace rivo {

// Caps of what a layered image may ask for.
inline constexpr int32_t kMaxOrbaSide = 16384;
inline constexpr int64_t kMaxOrbaPixels = int64_t{1} << 25;
// Frames, and the layers kept for tile copies, together.
inline constexpr int64_t kMaxOrbaMemory = int64_t{512} << 20;
// Header records longer than this are damage, not a future version.
inline constexpr int32_t kMaxOrbaHeaderSize = 4096;

enum : uint8_t { ORBA_ZLIB = 0, ORBA_RAW = 1, ORBA_JPEG = 2 };

// The file's header as read (versions before 103 have only the frame count
// and, from 102, the background colour).
struct TOrbaHeader {
  int32_t version = 106;
  int32_t header_size = 0;
  int32_t width = 0, height = 0, bit_count = 0;
  int32_t frame_count = 0;
  bool scrambled = false;
  uint8_t compression = ORBA_ZLIB;
  uint32_t background = 0;
  int32_t tile_width = 0, tile_height = 0;
  bool bottom_layer_opaque = false;
  uint8_t quality = 70;
};

class TOrbaFrameList {
 public:
  explicit TOrbaFrameList(int32_t identification_code = 0) : key_(identification_code) {}

  // Chooses the reader by the extension of name (lower-cased): ".orb",
  // ".png", ".bmp" or ".dib"; any other extension reads nothing.
  void LoadFromFile(std::string_view bytes, const std::string& name, bool first_frame_only = false);
  // Chooses the reader by the first bytes: "BM" a bitmap, a PNG signature a
  // PNG, anything else a layered image (whatever the name's extension).
  void LoadPicture(std::string_view bytes, const std::string& name, bool first_frame_only = false);
  // A layered image; with first_frame_only at most one frame is read.
  void LoadFromStream(std::string_view bytes, const std::string& name, bool first_frame_only = false);
  // Writes "Orba106": one layer per frame, raw rows (shuffled with the
  // identification code when it is not 0, and then stored without
  // compression), zlib for compression 0 and for masks, a JPEG colour plane
  // of the given quality for compression 2.
  std::string SaveToStream(uint8_t compression = ORBA_ZLIB, int quality = 70) const;

  TOrbaFrame& AddFrame();
  int32_t Count() const { return static_cast<int32_t>(frames_.size()); }
  TOrbaFrame& Frames(int32_t index) { return *frames_.at(static_cast<std::size_t>(index)); }
  const TOrbaFrame& Frames(int32_t index) const { return *frames_.at(static_cast<std::size_t>(index)); }
  void Clear() { frames_.clear(); }
  // Every frame without a mask gets one from its transparent value.
  void MakeMasks();

  int32_t IdentificationCode() const { return key_; }
  // What one file may take for its frames and the layers kept for tile
  // copies; kMaxOrbaMemory unless set.
  void SetMemoryLimit(int64_t bytes) { memory_limit_ = bytes; }
  const TOrbaHeader& Header() const { return header_; }
  TOrbaHeader& Header() { return header_; }
  int32_t Version() const { return header_.version; }
  uint32_t BackgroundColor() const { return header_.background; }
  bool BottomLayerOpaque() const { return header_.bottom_layer_opaque; }

 private:
  friend class OrbaReader;
  void ReadPngFrame(std::string_view bytes, const std::string& name);
  void ReadBitmapFrame(std::string_view bytes, const std::string& name);

  int32_t key_;
  int64_t memory_limit_ = kMaxOrbaMemory;
  TOrbaHeader header_;
  std::vector<std::unique_ptr<TOrbaFrame>> frames_;
};

}  // namespace rivo
