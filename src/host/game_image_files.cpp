#include "host/game_image_files.h"

#include "content/memory_stream.h"
#include "content/vr_file_manager.h"

namespace rivo {

std::optional<std::string> GameImageFiles::ReadImageFile(const std::string& name) {
  if (!files_ || !files_->Exists(name)) return std::nullopt;
  TQnMemoryStream bytes;
  files_->LoadToStream(bytes, name);
  return bytes.ToString();
}

}  // namespace rivo
