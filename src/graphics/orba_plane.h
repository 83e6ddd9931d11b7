#pragma once
// The raw pixel planes of a layered image, after decompression: rows top to
// bottom (stored in shuffled order when the file is scrambled), or a tile
// table followed by the tiles (versions 103 and later).
//
// A tile is stored inline, copies a tile of the same plane filled before it,
// or copies the same tile of a layer of an earlier frame. Copies that name a
// tile not filled yet, a frame not read yet or a plane of another geometry
// leave the tile 0: the reader never reads or writes outside its planes.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "graphics/dib.h"

namespace rivo {

struct TPlaneLayout {
  bool scrambled = false;
  int32_t key = 0;  // the shuffle's key (identification code)
  int32_t tile_width = 0, tile_height = 0;
  bool Tiled() const { return tile_width > 0 && tile_height > 0; }
};

// The plane (colour or mask) of layer `layer` of frame `frame`, for tiles
// that copy an earlier frame; null when there is none.
using TTileSource = std::function<const TDIB*(int32_t frame, int32_t layer)>;

// Bytes of an untiled raw plane, or the most a tiled one can hold (table and
// every tile inline).
std::size_t RawPlaneSize(const TDIB& plane, const TPlaneLayout& layout);

// Fills plane (sized, its pixels 0) from raw. Too few bytes raise LoadError
// naming name; bytes beyond the plane are ignored.
void DecodeRawPlane(std::string_view raw, TDIB& plane, const TPlaneLayout& layout,
                    const TTileSource& earlier, const std::string& name);

// The rows of plane top to bottom, shuffled with key when it is not 0:
// stored row i is picture row P(i).
std::string EncodeRawPlane(const TDIB& plane, int32_t key);

}  // namespace rivo
