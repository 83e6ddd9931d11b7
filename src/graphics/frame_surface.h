#pragma once
// Decoded frames into drawable surfaces: the picture converted to the
// surface's own bit count (the store's size follows the picture), and the
// mask into an 8-bit surface.

#include "graphics/dibx.h"
#include "graphics/orba_frame.h"

namespace rivo {

// 32-bit surfaces get B | G shl 8 | R shl 16 with the fourth byte 0; packed
// channels are widened like the frame's transparent colour, so that a keyed
// pixel and the key stay equal. Rectangle lists come along.
void CopyFrameToSurface(const TOrbaFrame& frame, TDIBX& surface);

// The frame's mask (or, without one, all 0) into an 8-bit surface of its size.
void CopyMaskToSurface(const TOrbaFrame& frame, TDIBX& mask);

}  // namespace rivo
