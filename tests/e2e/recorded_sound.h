#pragma once
// The sound of a headless run as --audio-out records it (44,100 Hz, 16-bit
// stereo), measured by tick: the recording starts with the run's clock, so
// tick t begins at sample t × tick length × 44.1.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace rivo::e2e {

class RecordedSound {
 public:
  // nullopt when file is not a WAVE file of the player's format whose sizes
  // match its length.
  static std::optional<RecordedSound> Read(const std::filesystem::path& file, uint32_t tick_ms = 15);

  // Whole ticks recorded.
  int Ticks() const;
  // Over ticks [from, to), both channels: the largest magnitude, and the
  // root mean square (0 for an empty stretch).
  int Peak(int from, int to) const;
  double Rms(int from, int to) const;

 private:
  std::size_t SampleAt(int tick) const;

  uint32_t tick_ms_ = 15;
  std::vector<int16_t> samples_;  // interleaved left, right
};

}  // namespace rivo::e2e
