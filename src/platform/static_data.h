#pragma once
// The player's classes build their tables (properties, commands, defaults)
// on first use, in static storage that the system maps in only when first
// written: on a virtual machine each such first touch costs 10-20 µs, and
// the first scene pays them all in one frame. Touched once at start, the
// program's static data is in place before the first frame.

namespace rivo {

// Process-wide; called once when the player starts. False when the system
// cannot do it (the data is then mapped in as it is first written).
bool MapStaticDataIn();

}  // namespace rivo
