#pragma once
// The 212-byte outline text metrics record (the fixed part of Windows'
// OUTLINETEXTMETRICA) that label lists store in saves. It is written from
// the font's metrics for the games' own tools that read saves; this player
// never trusts one it loads and measures the font again.

#include <string>

#include "platform/font_rasteriser.h"

namespace rivo {

constexpr std::size_t kOutlineMetricsRecordSize = 212;

std::string OutlineMetricsRecord(const FontMetrics& metrics);

}  // namespace rivo
