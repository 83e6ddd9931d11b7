#include "media/media_kind.h"

#include <string>

#include "common/sjis.h"

namespace rivo {

MediaKind MediaKindOf(std::string_view name) {
  std::string ext = sjis::LowerCase(sjis::ExtractFileExt(name));
  if (ext == ".mid" || ext == ".sgt") return MediaKind::kMidi;
  if (ext == ".wma" || ext == ".asf" || ext == ".wmv") return MediaKind::kWmp;
  if (ext == ".ogg" || ext == ".wav") return MediaKind::kOgg;
  if (name.substr(0, 3) == "CD_") return MediaKind::kCdda;
  return MediaKind::kNone;
}

}  // namespace rivo
