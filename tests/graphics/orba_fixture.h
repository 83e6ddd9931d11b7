#pragma once
// Writes layered images of every version for the reader's tests: with or
// without signature, both header forms, palettes, layers with masks, every
// compression, scrambled rows and tile tables, rectangle lists. Independent
// of the player's writer: planes are given as the bytes the file stores,
// built by the helpers below.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "graphics/rect.h"

namespace rivo::testing {

struct OrbaLayerLayout {
  bool visible = true;
  int32_t transparent_value = -1;
  int32_t opacity = 255;
  bool mask_enabled = true;  // written from version 101
  std::string colour;        // the stored colour data
  std::string mask;          // the stored mask data; empty: none (size 0)
};

struct OrbaFrameLayout {
  std::string name = "Frame1";
  int32_t transparent_value = -1;
  int32_t delay = 100;
  int32_t width = 0, height = 0, bit_count = 24;
  std::vector<uint32_t> palette;  // 0x00RRGGBB, 2^bit count entries (missing ones 0)
  std::vector<OrbaLayerLayout> layers;
  std::optional<std::vector<TRect>> first_rects, second_rects;  // none: count -1
};

struct OrbaFileLayout {
  int32_t version = 106;
  bool signature = true;     // version 0 files have none
  int32_t header_size = 40;  // versions 103 on
  uint8_t scrambled = 0, compression = 1;
  uint32_t background = 0;
  int32_t tile_width = 0, tile_height = 0;
  uint8_t bottom_layer_opaque = 0;
  std::vector<OrbaFrameLayout> frames;
  std::optional<int32_t> frame_count;  // what the header claims, when not frames.size()
};

std::string WriteOrba(const OrbaFileLayout& file);

// Rows of row_length bytes each, top to bottom, from pixel values of the
// given bit count (row-major); stored row i is row P(i) of the keyed
// shuffle when key is not 0.
std::string StoredRows(int32_t width, int32_t height, int32_t bit_count,
                       const std::vector<uint32_t>& pixels, int32_t key = 0);
std::string Zlib(const std::string& raw);

struct TileEntry {
  int32_t kind = -1, index = 0;
};
// A tile table (in stored order: entry i for tile P(i) when key is not 0)
// followed by the pixels of the inline tiles, cut at the picture's edges.
std::string StoredTiles(int32_t width, int32_t height, int32_t bit_count,
                        const std::vector<uint32_t>& pixels, int32_t tile_width,
                        int32_t tile_height, const std::vector<TileEntry>& tiles, int32_t key = 0);

// The pool draws of a fresh generator with this key: P(0..n-1).
std::vector<int32_t> PoolOrder(int32_t key, int32_t n);

}  // namespace rivo::testing
