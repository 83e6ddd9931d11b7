#pragma once
// The managers of each player kind. Their items open the game's files
// through the file manager only.

#include <memory>

#include "content/vr_file_manager.h"
#include "media/audio_mixer.h"
#include "media/media_manager.h"
#include "media/media_settings.h"
#include "media/movie_item.h"
#include "media/wav_out.h"

namespace rivo {

// ".ogg" and ".wav": voices of the mixer, or the wave output's buffers when
// DirectSound is off. Owns the one TWavOut.
class TOggManager final : public TMediaManager {
 public:
  TOggManager(TVrFileManager& files, AudioMixer& mixer, Clock& clock, const MediaSettings& settings);
  ~TOggManager() override;
  TWavOut& WavOut() { return *wav_out_; }

 protected:
  std::unique_ptr<TDMediaItem> Create(std::string_view name) override;

 private:
  TVrFileManager& files_;
  AudioMixer& mixer_;
  const bool use_direct_sound_;
  std::shared_ptr<TWavOut> wav_out_;
};

// ".wma", ".asf" and ".wmv" played as sound: decoded by FFmpeg, played by a voice.
class TWmpManager final : public TMediaManager {
 public:
  TWmpManager(TVrFileManager& files, AudioMixer& mixer) : files_(files), mixer_(mixer) {}

 protected:
  std::unique_ptr<TDMediaItem> Create(std::string_view name) override;

 private:
  TVrFileManager& files_;
  AudioMixer& mixer_;
};

// "CD_nn": the track ripped into the game as "CD_nn.ogg" or "CD_nn.wav"
// when there is one; otherwise an item that plays nothing.
class TCddaManager final : public TMediaManager {
 public:
  TCddaManager(TVrFileManager& files, AudioMixer& mixer) : files_(files), mixer_(mixer) {}

 protected:
  std::unique_ptr<TDMediaItem> Create(std::string_view name) override;

 private:
  TVrFileManager& files_;
  AudioMixer& mixer_;
};

// Movies, for drawing into the movie control or shown as a window of their
// own. FFmpeg plays every kind (the choice of player in "game.ini" changes
// nothing here).
class TVideoManager final : public TMediaManager {
 public:
  TVideoManager(TVrFileManager& files, AudioMixer& mixer, Clock& clock) : files_(files), mixer_(mixer), clock_(clock) {}
  TMovieItem* Add(std::string_view name, bool for_drawing);
  // Once per frame tick: every movie's picture catches up with its time.
  void FrameDone();

 protected:
  std::unique_ptr<TDMediaItem> Create(std::string_view name) override;

 private:
  TVrFileManager& files_;
  AudioMixer& mixer_;
  Clock& clock_;
  bool for_drawing_ = true;
};

}  // namespace rivo
