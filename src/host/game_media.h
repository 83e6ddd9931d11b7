#pragma once
// MediaInit and MediaFinal: the media system of a running game, on the
// player's one sound device (the wave output of "game.ini"'s DirectSound
// off plays through it too), following the window's focus.

#include <memory>

#include "host/player_parts.h"
#include "host/settings.h"
#include "media/media_system.h"
#include "media/midi_synth.h"
#include "platform/audio_device.h"

namespace rivo {

class GameMedia final : public MediaStage {
 public:
  // device: the player's sound device, or nullptr when none was opened;
  // synth_ahead: the MIDI synthesiser started at start-up, if any.
  GameMedia(TVrFileManager& files, AudioDevice* device, Clock& clock, const Settings& settings,
            SynthAhead synth_ahead = {});

  void UpdateVideo() override { media_->FrameTick(); }
  void Pause() override { media_->FocusLost(); }
  void Resume() override { media_->FocusGained(); }
  TMediaSystem& Media() { return *media_; }

 private:
  std::unique_ptr<AudioDevice> silent_;  // stands in when no device was opened
  std::unique_ptr<TMediaSystem> media_;
};

}  // namespace rivo
