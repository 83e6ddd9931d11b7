#pragma once
// Work done ahead (pictures decoded, files read before the game asks for
// them) must never take the processor from the player: on a machine whose
// cores are all busy, a worker of equal rank gets an equal share, and the
// player's frame waits while the worker decodes a picture the game may only
// need seconds later. A background thread yields to every thread of normal
// rank and still runs whenever a core is free.

namespace rivo {

// Lowers the calling thread to the least rank the system gives without
// privileges. Does nothing where threads have no rank of their own.
void MakeThisThreadBackground();

}  // namespace rivo
