#pragma once
// The target of an event: "page.rsb" or "page.rsb:label". The page part's
// extension is always taken as ".rsb" (its last three characters are
// replaced), and the split walks characters, so a label or name holding a
// double-byte character whose second byte is ':' or '\' is cut correctly.

#include <optional>
#include <string>
#include <string_view>

namespace rivo {

struct EventTarget {
  std::string page;
  std::string label;
};

// nullopt when the page part is shorter than three characters.
std::optional<EventTarget> SplitEventTarget(std::string_view target);

}  // namespace rivo
