#pragma once
// The one sound output of the player: 44,100 Hz, 16-bit, stereo, fed by a
// single software mixer. When no device opens, the player goes on silently.

#include <cstdint>
#include <span>

namespace rivo {

constexpr int kAudioRate = 44100;
constexpr int kAudioChannels = 2;

// Fills interleaved stereo samples. Called from the device's own thread (SDL)
// or from the frame loop (headless), so implementations guard what they share.
class AudioSource {
 public:
  virtual ~AudioSource() = default;
  virtual void Render(std::span<int16_t> interleaved) = 0;
};

// Who pulls the samples: a real device from a thread of its own (so what
// it reads must be ready ahead), the null device on the frame loop's thread
// in virtual time (so it may decode as it goes), or nobody at all.
enum class AudioPull { kNone, kOwnThread, kCallerThread };

class AudioDevice {
 public:
  virtual ~AudioDevice() = default;
  // Starts pulling samples from source (which must outlive the device, or be
  // replaced by nullptr first). nullptr plays silence.
  virtual void SetSource(AudioSource* source) = 0;
  // Whether sound actually reaches a device.
  virtual bool Audible() const = 0;
  // Whether everything pulled is thrown away, heard by no one and kept
  // nowhere: sound that only matters to the ear (the MIDI synthesiser's)
  // need not be made at all.
  virtual bool Discards() const { return false; }
  virtual AudioPull Pull() const = 0;
};

}  // namespace rivo
