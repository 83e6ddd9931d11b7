#pragma once
// TMediaSystem: what the host starts after the project is loaded
// (MediaInit) and ends last (MediaFinal): the mixer on the audio device and
// the managers of every player kind. Routes a media name to its manager and
// carries the switches that reach all of them: sound on and off
// ("@SoundON") and the window's focus.

#include <string_view>

#include "content/vr_file_manager.h"
#include "media/audio_mixer.h"
#include "media/media_kind.h"
#include "media/media_managers.h"
#include "media/media_settings.h"
#include "media/midi_manager.h"
#include "platform/audio_device.h"
#include "platform/clock.h"

namespace rivo {

class TMediaSystem {
 public:
  // MediaInit. device, files and clock must outlive the media system.
  TMediaSystem(TVrFileManager& files, AudioDevice& device, Clock& clock, const MediaSettings& settings);
  // MediaFinal: the managers free their items (in the order movies, Windows
  // Media, ogg, CD, MIDI), then the device stops pulling.
  ~TMediaSystem();
  TMediaSystem(const TMediaSystem&) = delete;
  TMediaSystem& operator=(const TMediaSystem&) = delete;

  // The manager of the name's kind; nullptr for a name nothing plays.
  TMediaManager* ManagerFor(std::string_view name);
  TOggManager& Ogg() { return ogg_; }
  TWmpManager& Wmp() { return wmp_; }
  TCddaManager& Cdda() { return cdda_; }
  TMidiManager& Midi() { return midi_; }
  TVideoManager& Video() { return video_; }
  AudioMixer& Mixer() { return mixer_; }
  TVrFileManager& Files() { return files_; }

  // "@SoundON".
  bool SoundOn() const { return sound_on_; }
  void SetSoundOn(bool on);
  // The window lost or regained the focus: what plays pauses, and exactly
  // that resumes (managers switched off stay as they are).
  void FocusLost();
  void FocusGained();
  // Once per frame tick.
  void FrameTick() { video_.FrameDone(); }

 private:
  template <typename F>
  void ForEachAudioManager(F f) {
    for (TMediaManager* m : {static_cast<TMediaManager*>(&wmp_), static_cast<TMediaManager*>(&ogg_),
                             static_cast<TMediaManager*>(&cdda_), static_cast<TMediaManager*>(&midi_)})
      f(*m);
  }

  TVrFileManager& files_;
  AudioDevice& device_;
  AudioMixer mixer_;
  // Declared in reverse order of MediaFinal, which frees them.
  TMidiManager midi_;
  TCddaManager cdda_;
  TOggManager ogg_;
  TWmpManager wmp_;
  TVideoManager video_;
  bool sound_on_ = true;
};

}  // namespace rivo
