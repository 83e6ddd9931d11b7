#include "e2e/recorded_sound.h"

#include <algorithm>
#include <cmath>

#include "common/byte_reader.h"
#include "e2e/game_runner.h"

namespace rivo::e2e {

std::optional<RecordedSound> RecordedSound::Read(const std::filesystem::path& file, uint32_t tick_ms) {
  const std::string bytes = ReadAll(file);
  if (bytes.size() < 44) return std::nullopt;
  ByteReader r(bytes, file.string());
  const std::string riff = r.Bytes(4);
  const uint32_t riff_size = r.U32();
  const std::string wave = r.Bytes(4), fmt = r.Bytes(4);
  const uint32_t fmt_size = r.U32();
  const uint16_t tag = r.U16(), channels = r.U16();
  const uint32_t rate = r.U32(), bytes_per_sec = r.U32();
  const uint16_t block = r.U16(), bits = r.U16();
  const std::string data = r.Bytes(4);
  const uint32_t data_size = r.U32();
  if (riff != "RIFF" || riff_size != bytes.size() - 8 || wave != "WAVE" || fmt != "fmt " || fmt_size != 16 ||
      tag != 1 || channels != 2 || rate != 44100 || bytes_per_sec != 176400 || block != 4 || bits != 16 ||
      data != "data" || data_size != bytes.size() - 44)
    return std::nullopt;
  RecordedSound sound;
  sound.tick_ms_ = tick_ms;
  sound.samples_.resize(data_size / 2);
  for (int16_t& s : sound.samples_) s = r.I16();
  return sound;
}

std::size_t RecordedSound::SampleAt(int tick) const {
  const std::size_t frame = static_cast<std::size_t>(std::max(tick, 0)) * tick_ms_ * 44100 / 1000;
  return std::min(frame * 2, samples_.size());
}

int RecordedSound::Ticks() const { return static_cast<int>(samples_.size() / 2 * 1000 / 44100 / tick_ms_); }

int RecordedSound::Peak(int from, int to) const {
  int peak = 0;
  for (std::size_t i = SampleAt(from); i < SampleAt(to); ++i) peak = std::max(peak, std::abs(int{samples_[i]}));
  return peak;
}

double RecordedSound::Rms(int from, int to) const {
  const std::size_t begin = SampleAt(from), end = SampleAt(to);
  if (end <= begin) return 0;
  double sum = 0;
  for (std::size_t i = begin; i < end; ++i) sum += static_cast<double>(samples_[i]) * samples_[i];
  return std::sqrt(sum / static_cast<double>(end - begin));
}

}  // namespace rivo::e2e
