#pragma once
// The names a page's code spells out as constants: pictures it may show
// (".orb", ".png", ".bmp", ".dib"), music it may play (the MIDI player's
// ".mid" and ".sgt") and pages it may go to ("page.rsb", or
// "page.rsb:label" as event handlers name them). Names computed at run time
// stay unknown; this is a guess at what comes next, for loading ahead, never
// a promise. Each name is listed once (ignoring the case of single-byte
// letters), in the order the page first spells it.

#include <string>
#include <vector>

namespace rivo {

class TPage;

struct PageReferences {
  std::vector<std::string> pictures;
  std::vector<std::string> music;
  std::vector<std::string> pages;  // without the label
};

PageReferences FindPageReferences(TPage& page);

}  // namespace rivo
