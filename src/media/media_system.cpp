#include "media/media_system.h"

namespace rivo {

namespace {
// Whether anyone hears or keeps what the mixer renders: nobody pulls the
// stand-in for a device that did not open, and the null device throws it away.
bool Heard(const AudioDevice& device) { return device.Pull() != AudioPull::kNone && !device.Discards(); }
}  // namespace

TMediaSystem::TMediaSystem(TVrFileManager& files, AudioDevice& device, Clock& clock, const MediaSettings& settings)
    : files_(files), device_(device), mixer_(device.Pull()), midi_(files, mixer_, clock, settings.SoundFont, Heard(device)), cdda_(files, mixer_), ogg_(files, mixer_, clock, settings),
      wmp_(files, mixer_), video_(files, mixer_, clock) {
  device_.SetSource(&mixer_);
}

TMediaSystem::~TMediaSystem() { device_.SetSource(nullptr); }

TMediaManager* TMediaSystem::ManagerFor(std::string_view name) {
  switch (MediaKindOf(name)) {
    case MediaKind::kMidi: return &midi_;
    case MediaKind::kWmp: return &wmp_;
    case MediaKind::kOgg: return &ogg_;
    case MediaKind::kCdda: return &cdda_;
    case MediaKind::kNone: break;
  }
  return nullptr;
}

void TMediaSystem::SetSoundOn(bool on) {
  sound_on_ = on;
  ForEachAudioManager([&](TMediaManager& m) { m.SetEnabled(on); });
}

void TMediaSystem::FocusLost() {
  video_.Suspend();
  ForEachAudioManager([](TMediaManager& m) {
    if (m.Enabled()) m.Suspend();
  });
}

void TMediaSystem::FocusGained() {
  video_.Resume();
  ForEachAudioManager([](TMediaManager& m) {
    if (m.Enabled()) m.Resume();
  });
}

}  // namespace rivo
