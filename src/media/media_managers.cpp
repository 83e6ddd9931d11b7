#include "media/media_managers.h"

#include <cctype>
#include <string>

#include "media/media_file.h"
#include "media/ogg_wave_item.h"
#include "media/silent_item.h"
#include "media/voice_item.h"

namespace rivo {

TOggManager::TOggManager(TVrFileManager& files, AudioMixer& mixer, Clock& clock, const MediaSettings& settings)
    : files_(files), mixer_(mixer), use_direct_sound_(settings.UseDirectSound),
      wav_out_(std::make_shared<TWavOut>(mixer, clock, settings.SoundDelayMs)) {}

TOggManager::~TOggManager() {
  Clear();  // the items' buffers go before the output that holds them
  wav_out_->Close();
}

std::unique_ptr<TDMediaItem> TOggManager::Create(std::string_view name) {
  std::unique_ptr<PcmStream> decoded = OpenPcmStream(OpenMediaFile(files_, name), name);
  if (use_direct_sound_) return std::make_unique<TVoiceItem>(std::move(decoded), mixer_);
  wav_out_->Open();  // when it cannot open, the item exists and plays nothing
  return std::make_unique<TOggWaveItem>(std::move(decoded), wav_out_);
}

std::unique_ptr<TDMediaItem> TWmpManager::Create(std::string_view name) {
  return std::make_unique<TVoiceItem>(OpenPcmStream(OpenMediaFile(files_, name), name), mixer_);
}

std::unique_ptr<TDMediaItem> TCddaManager::Create(std::string_view name) {
  std::string_view track = name.substr(std::min<std::size_t>(name.size(), 3));
  bool numeric = !track.empty() && track.find_first_not_of("0123456789") == std::string_view::npos;
  if (numeric) {
    for (const char* ext : {".ogg", ".wav"}) {
      std::string file = std::string(name) + ext;
      if (files_.Exists(file))
        return std::make_unique<TVoiceItem>(OpenPcmStream(OpenMediaFile(files_, file), file), mixer_);
    }
  }
  return std::make_unique<TSilentItem>();
}

TMovieItem* TVideoManager::Add(std::string_view name, bool for_drawing) {
  for_drawing_ = for_drawing;
  return static_cast<TMovieItem*>(TMediaManager::Add(name));
}

void TVideoManager::FrameDone() {
  for (const auto& item : Items()) static_cast<TMovieItem*>(item.get())->FrameDone();
}

std::unique_ptr<TDMediaItem> TVideoManager::Create(std::string_view name) {
  return std::make_unique<TMovieItem>(OpenMediaFile(files_, name), OpenMediaFile(files_, name), mixer_, clock_,
                                      for_drawing_);
}

}  // namespace rivo
