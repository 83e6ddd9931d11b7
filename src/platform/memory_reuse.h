#pragma once
// The player frees and allocates pictures of a megabyte or more at every
// scene change. The C library hands such blocks back to the system as soon
// as they are freed, so the next picture touches fresh pages again; on a
// virtual machine each first touch costs microseconds, which made loading a
// full-screen picture take several times as long as decoding it. Kept in
// the process (up to a bound), freed blocks serve the next load. Memory
// touched for the first time comes in 2 MB pages where the system offers
// them, so that the first loads of a run do not pay for every 4 KB either.

namespace rivo {

// Process-wide; called once when the player starts.
void KeepFreedMemoryForReuse();

}  // namespace rivo
