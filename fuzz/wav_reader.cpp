// Wave files from arbitrary bytes: damage is refused with "サウンドデータが
// 不正です", never a crash or a read outside the data; what is accepted
// converts to the mixer's format and reads to its end, and reads again the
// same after a seek back to the start.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/error.h"
#include "content/memory_stream.h"
#include "media/mix_format_stream.h"
#include "media/wav_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rivo;
  auto file = std::make_unique<TQnMemoryStream>(std::string_view(reinterpret_cast<const char*>(data), size));
  WavLayout layout;
  try {
    layout = ReadWavLayout(*file);
  } catch (const RivoError&) {
    return 0;
  }
  if (layout.DataOffset + layout.DataSize > static_cast<int64_t>(size)) __builtin_trap();
  if (!IsPlainPcm(layout.Format)) return 0;
  // Converting a very low rate makes many output frames of each input frame.
  if (layout.Format.SamplesPerSec < 100) return 0;
  MixFormatStream mixed(std::make_unique<WavPcmStream>(std::move(file), layout));
  if (mixed.GetSize() > (int64_t{1} << 22)) return 0;
  std::vector<char> first(static_cast<std::size_t>(mixed.GetSize())), again(first.size());
  if (mixed.Read(first.data(), mixed.GetSize()) != mixed.GetSize()) __builtin_trap();
  mixed.SetPosition(0);
  if (mixed.Read(again.data(), mixed.GetSize()) != mixed.GetSize() || first != again) __builtin_trap();
  return 0;
}
