#pragma once
// The picture a flip freezes: what the shown base shows, held still in a
// full-screen image on top of it while the controls move to the other
// base behind a transition. Its name (two 0x01 bytes) sorts it above every
// sibling and no scenario can give it.

#include <string>

namespace rivo {

class TRivoBaseList;
class TRivoControl;

inline const std::string kFrozenPictureName("\x01\x01", 2);

// Makes the frozen picture of the shown base, on top of it.
TRivoControl& FreezeShownPicture(TRivoBaseList& screen);

}  // namespace rivo
