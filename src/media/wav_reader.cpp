#include "media/wav_reader.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "common/byte_reader.h"
#include "common/error.h"

namespace rivo {

namespace {

constexpr uint16_t kWaveFormatExtensible = 0xFFFE;
// A "fmt " chunk is 16 to 40 bytes; anything much larger is damage, and is
// not read into memory.
constexpr uint32_t kMaxFormatChunk = 1024;

[[noreturn]] void Bad() { throw RivoError(kBadSoundData); }

void ReadExactly(TStream& stream, void* out, int64_t count) {
  if (stream.Read(out, count) != count) Bad();
}

PcmFormat ParseFormat(const std::string& chunk) {
  try {
    ByteReader r(chunk, "fmt");
    PcmFormat f;
    f.FormatTag = r.U16();
    f.Channels = r.U16();
    f.SamplesPerSec = r.U32();
    f.AvgBytesPerSec = r.U32();
    f.BlockAlign = r.U16();
    f.BitsPerSample = r.U16();
    if (f.FormatTag == kWaveFormatExtensible && r.Remaining() >= 2 + 22 + 2) {
      r.Skip(2 + 2 + 4);       // cbSize, valid bits, channel mask
      f.FormatTag = r.U16();  // the first two bytes of the sub-format GUID are the codec
    }
    if (f.Channels == 0 || f.SamplesPerSec == 0 || f.BlockAlign == 0) Bad();
    return f;
  } catch (const LoadError&) {
    Bad();
  }
}

}  // namespace

WavLayout ReadWavLayout(TStream& stream) {
  stream.SetPosition(0);
  const int64_t size = stream.GetSize();
  char head[12];
  ReadExactly(stream, head, 12);
  if (std::memcmp(head, "RIFF", 4) != 0 || std::memcmp(head + 8, "WAVE", 4) != 0) Bad();

  WavLayout layout;
  bool have_format = false;
  int64_t at = 12;
  while (at + 8 <= size) {
    stream.SetPosition(at);
    char chunk[8];
    ReadExactly(stream, chunk, 8);
    uint32_t length = static_cast<uint8_t>(chunk[4]) | static_cast<uint8_t>(chunk[5]) << 8 |
                      static_cast<uint8_t>(chunk[6]) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(chunk[7])) << 24;
    int64_t body = at + 8;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (length < 16 || length > kMaxFormatChunk || body + length > size) Bad();
      std::string bytes(length, '\0');
      ReadExactly(stream, bytes.data(), length);
      layout.Format = ParseFormat(bytes);
      have_format = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      if (!have_format) Bad();
      // Writers that never patched the length, and truncated copies, still
      // play what is there.
      int64_t held = std::min<int64_t>(length, size - body);
      layout.DataOffset = body;
      layout.DataSize = held / layout.Format.BlockAlign * layout.Format.BlockAlign;
      return layout;
    }
    at = body + length + (length & 1);
  }
  Bad();
}

bool IsPlainPcm(const PcmFormat& f) {
  if (f.Channels == 0 || f.SamplesPerSec == 0) return false;
  int bytes = (f.BitsPerSample + 7) / 8;
  if (f.BlockAlign != f.Channels * bytes) return false;
  if (f.FormatTag == kWaveFormatPcm) return f.BitsPerSample == 8 || f.BitsPerSample == 16 || f.BitsPerSample == 24 || f.BitsPerSample == 32;
  if (f.FormatTag == kWaveFormatFloat) return f.BitsPerSample == 32 || f.BitsPerSample == 64;
  return false;
}

WavPcmStream::WavPcmStream(std::unique_ptr<TStream> file, const WavLayout& layout)
    : file_(std::move(file)), layout_(layout) {}

int64_t WavPcmStream::Read(void* buffer, int64_t count) {
  int64_t n = std::clamp<int64_t>(layout_.DataSize - position_, 0, std::max<int64_t>(count, 0));
  if (n == 0) return 0;
  file_->SetPosition(layout_.DataOffset + position_);
  int64_t got = file_->Read(buffer, n);
  position_ += got;
  return got;
}

int64_t WavPcmStream::Seek(int64_t offset, SeekOrigin origin) {
  int64_t base = origin == SeekOrigin::kBeginning ? 0 : origin == SeekOrigin::kCurrent ? position_ : layout_.DataSize;
  position_ = std::clamp<int64_t>(base + offset, 0, layout_.DataSize);
  return position_;
}

}  // namespace rivo
