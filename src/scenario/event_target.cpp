#include "scenario/event_target.h"

#include "common/sjis.h"

namespace rivo {

std::optional<EventTarget> SplitEventTarget(std::string_view target) {
  EventTarget out;
  std::string_view page = target;
  std::size_t pos = sjis::LastDelimiter(":.\\", target);
  if (pos != sjis::npos && target[pos] == ':') {
    page = target.substr(0, pos);
    out.label = std::string(target.substr(pos + 1));
  }
  // Byte positions of the page part's characters, to cut its last three.
  std::size_t count = sjis::CharCount(page);
  if (count < 3) return std::nullopt;
  std::size_t cut = 0;
  for (std::size_t i = 0; i + 3 < count; ++i) cut += sjis::CharSize(page, cut);
  out.page = std::string(page.substr(0, cut)) + "rsb";
  return out;
}

}  // namespace rivo
