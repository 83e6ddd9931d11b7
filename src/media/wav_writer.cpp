#include "media/wav_writer.h"

#include "common/byte_writer.h"

namespace rivo {

std::string WavHeaderBytes(const PcmFormat& f, uint32_t data_bytes) {
  ByteWriter w;
  w.Bytes("RIFF");
  w.U32(static_cast<uint32_t>(4 + 8 + 16 + 8 + uint64_t{data_bytes} + (data_bytes & 1)));
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
  w.U32(data_bytes);
  return w.Take();
}

std::string WavFileBytes(const PcmFormat& f, std::string_view pcm) {
  std::string file = WavHeaderBytes(f, static_cast<uint32_t>(pcm.size()));
  file.append(pcm);
  if (pcm.size() & 1) file.push_back('\0');
  return file;
}

}  // namespace rivo
