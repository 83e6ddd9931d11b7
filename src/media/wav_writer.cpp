#include "media/wav_writer.h"

#include "common/byte_writer.h"

namespace rivo {

std::string WavFileBytes(const PcmFormat& f, std::string_view pcm) {
  ByteWriter w;
  w.Bytes("RIFF");
  w.U32(static_cast<uint32_t>(4 + 8 + 16 + 8 + pcm.size() + (pcm.size() & 1)));
  w.Bytes("WAVE");
  w.Bytes("fmt ");
  w.U32(16);
  w.U16(f.FormatTag);
  w.U16(f.Channels);
  w.U32(f.SamplesPerSec);
  w.U32(f.AvgBytesPerSec);
  w.U16(f.BlockAlign);
  w.U16(f.BitsPerSample);
  w.Bytes("data");
  w.U32(static_cast<uint32_t>(pcm.size()));
  w.Bytes(pcm);
  if (pcm.size() & 1) w.U8(0);
  return w.Take();
}

}  // namespace rivo
