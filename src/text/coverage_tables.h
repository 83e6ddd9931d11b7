#pragma once
// Gray levels of a rendered glyph to coverage bytes. The levels do not map
// linearly: the tables below are the ones every game's text was tuned with,
// so antialiased text keeps its weight.

#include <cstdint>
#include <span>

namespace rivo {

// level: the antialias level 0-3; raw: the rasteriser's gray level (0/1 at
// level 0, else 0-4, 0-16 or 0-64). Values beyond a table's end read its
// last entry (full coverage); negative values read 0.
uint8_t CoverageOfLevel(int32_t level, int32_t raw);
// The whole table of a level (levels outside 1-3 read level 0's), for
// converting a bitmap at a time.
std::span<const uint8_t> CoverageTable(int32_t level);

}  // namespace rivo
