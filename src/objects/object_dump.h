#pragma once
// The screen's objects and event queue as JSON, for `rivoplay
// --dump-objects`:
//   {"objects": [{"type": "LT_TIMER", "name": "t", "parent": null,
//                 "released": false, "properties": {"PR_NAME": "t", ...}}, ...],
//    "events": [{"page": "p.rsb:l", "sender": "t", "kind": 33, "level": 0,
//                "args": []}, ...]}
// Objects come in creation order with every property their kind supports
// (write-only ones left out); texts are UTF-8 with control bytes escaped.
// An event's sender is null for none and "destroyed" for an object that
// is gone.

#include <string>

namespace rivo {

class TRivoBaseList;

std::string DumpObjectsJson(const TRivoBaseList& screen);

}  // namespace rivo
