// Any bytes as a game's sound file: the first byte picks the name the file
// goes by (ogg, wave, Windows Media, an unknown one), the rest is its
// content. Every decoder refuses damage with "サウンドデータが不正です" or
// plays what it can; reading never crashes, hangs or runs past the length
// it announced, and a voice of the mixer plays it (looping from its middle)
// without reading outside it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/error.h"
#include "content/memory_stream.h"
#include "media/media_file.h"
#include "media/mix_format_stream.h"
#include "media/voice.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rivo;
  if (size < 1) return 0;
  static const char* const kNames[] = {"a.ogg", "a.wav", "a.wma", "a.asf"};
  const char* name = kNames[data[0] % 4];
  auto file = std::make_unique<TQnMemoryStream>(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  std::unique_ptr<PcmStream> pcm;
  try {
    pcm = OpenPcmStream(std::move(file), name);
  } catch (const RivoError&) {
    return 0;
  }
  const PcmFormat& f = pcm->Format();
  if (f.BlockAlign == 0 || f.SamplesPerSec < 100) return 0;
  MixFormatStream mixed(std::move(pcm));
  const int64_t announced = mixed.GetSize();
  std::vector<char> buffer(65536);
  int64_t total = 0;
  // A bounded read: long sounds need not be decoded whole to find faults.
  for (int i = 0; i < 64; ++i) {
    int64_t got = mixed.Read(buffer.data(), static_cast<int64_t>(buffer.size()));
    if (got <= 0) break;
    total += got;
  }
  if (total > announced) __builtin_trap();
  mixed.SetPosition(announced / 2);
  mixed.Read(buffer.data(), static_cast<int64_t>(buffer.size()));

  file = std::make_unique<TQnMemoryStream>(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  Voice voice(MixFormatStream::Wrap(OpenPcmStream(std::move(file), name)), true);
  voice.SetLoop(true, voice.LengthFrames() / 2 + 1);
  voice.SetVolume(-600, 300);
  voice.Play();
  std::vector<int32_t> acc(4096 * 2);
  for (int i = 0; i < 8; ++i) voice.MixInto(acc);
  return 0;
}
