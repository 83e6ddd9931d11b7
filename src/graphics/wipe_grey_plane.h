#pragma once
// The grey plane of the mask-picture transitions: the named picture's grey
// levels (inverted when reversed) tiled from the top-left corner over the
// screen, kept as grey - 255 per pixel (-255..0). Where no picture is found,
// or it is empty, every pixel is white (0).

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/custom_wipe.h"

namespace rivo {

// A colour's grey level: round((R + G + B) / 3).
uint8_t GreyLevel(TRgb colour);

std::vector<int16_t> WipeGreyOffsets(const TWipeMaskSource* masks, const std::string& name,
                                     bool reverse, int32_t width, int32_t height);

}  // namespace rivo
