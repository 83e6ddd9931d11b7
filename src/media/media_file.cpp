#include "media/media_file.h"

#include <string>

#include "common/sjis.h"
#include "content/memory_stream.h"
#include "media/ffmpeg_audio.h"
#include "media/vorbis_pcm_stream.h"
#include "media/wav_reader.h"

namespace rivo {

std::unique_ptr<TStream> OpenMediaFile(TVrFileManager& files, std::string_view name) {
  const TVrFile* entry = files.FindEntry(name);
  if (entry && (entry->Data || !entry->Stored)) {
    auto memory = std::make_unique<TQnMemoryStream>();
    files.LoadToStream(*memory, name);
    return memory;
  }
  return files.OpenRange(name);
}

std::unique_ptr<PcmStream> OpenPcmStream(std::unique_ptr<TStream> file, std::string_view name) {
  std::string ext = sjis::LowerCase(sjis::ExtractFileExt(name));
  if (ext == ".ogg") return std::make_unique<VorbisPcmStream>(std::move(file));
  if (ext == ".wav") {
    WavLayout layout = ReadWavLayout(*file);
    if (IsPlainPcm(layout.Format)) return std::make_unique<WavPcmStream>(std::move(file), layout);
  }
  return DecodeWithFfmpeg(std::move(file));
}

}  // namespace rivo
