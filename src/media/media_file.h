#pragma once
// Opening a sound file of the game for decoding. Everything is read through
// the file manager: loose files and stored archive entries as windows read
// in place, compressed and memory entries inflated to memory first. No
// temporary copy is ever made, and a name can only reach what the file
// manager reaches (never a host path outside the game).

#include <memory>
#include <string_view>

#include "content/vr_file_manager.h"
#include "media/pcm_stream.h"

namespace rivo {

// Raises "%s:ファイルがありません" when the file is found nowhere.
std::unique_ptr<TStream> OpenMediaFile(TVrFileManager& files, std::string_view name);

// The file decoded by what its extension calls for (Vorbis for ".ogg", our
// own reader for PCM ".wav", FFmpeg for everything else), in the file's own
// format. Raises kBadSoundData for data no decoder takes.
std::unique_ptr<PcmStream> OpenPcmStream(std::unique_ptr<TStream> file, std::string_view name);

}  // namespace rivo
