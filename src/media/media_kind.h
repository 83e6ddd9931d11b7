#pragma once
// Which player a media name goes to, by its lower-cased extension; a name
// without a known extension that begins with "CD_" is a CD track.

#include <string_view>

namespace rivo {

enum class MediaKind { kNone, kMidi, kWmp, kOgg, kCdda };

MediaKind MediaKindOf(std::string_view name_cp932);

}  // namespace rivo
