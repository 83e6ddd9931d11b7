#include "media/vorbis_pcm_stream.h"

#include <algorithm>
#include <cstdio>

#include "common/error.h"

namespace rivo {

namespace {

size_t ReadCallback(void* out, size_t size, size_t count, void* source) {
  auto* file = static_cast<TStream*>(source);
  int64_t want = static_cast<int64_t>(size * count);
  int64_t got = file->Read(out, want);
  return size ? static_cast<size_t>(got) / size : 0;
}

int SeekCallback(void* source, ogg_int64_t offset, int whence) {
  auto* file = static_cast<TStream*>(source);
  SeekOrigin origin = whence == SEEK_SET ? SeekOrigin::kBeginning : whence == SEEK_CUR ? SeekOrigin::kCurrent : SeekOrigin::kEnd;
  file->Seek(offset, origin);
  return 0;
}

long TellCallback(void* source) { return static_cast<long>(static_cast<TStream*>(source)->GetPosition()); }

}  // namespace

VorbisPcmStream::VorbisPcmStream(std::unique_ptr<TStream> file) : file_(std::move(file)) {
  file_->SetPosition(0);
  ov_callbacks callbacks{ReadCallback, SeekCallback, nullptr, TellCallback};
  if (ov_open_callbacks(file_.get(), &vf_, nullptr, 0, callbacks) != 0) throw RivoError(kBadSoundData);
  vorbis_info* info = ov_info(&vf_, -1);
  ogg_int64_t frames = ov_pcm_total(&vf_, -1);
  if (!info || info->channels <= 0 || info->channels > 255 || info->rate <= 0 || frames < 0) {
    ov_clear(&vf_);
    throw RivoError(kBadSoundData);
  }
  format_ = PcmFormat::Make(static_cast<uint16_t>(info->channels), static_cast<uint32_t>(info->rate), 16);
  size_ = static_cast<int64_t>(frames) * format_.BlockAlign;
}

VorbisPcmStream::~VorbisPcmStream() { ov_clear(&vf_); }

int64_t VorbisPcmStream::Read(void* buffer, int64_t count) {
  auto* out = static_cast<char*>(buffer);
  // Whole frames only, so that a short read never splits a sample.
  count = std::min(count, size_ - position_) / format_.BlockAlign * format_.BlockAlign;
  int64_t done = 0;
  while (done < count && !broken_) {
    int section = 0;
    int want = static_cast<int>(std::min<int64_t>(count - done, 1 << 16));
    long got = ov_read(&vf_, out + done, want, 0, 2, 1, &section);
    if (got == OV_HOLE) continue;  // a gap in the page sequence; the decoder resyncs
    if (got <= 0) {
      // Data that stops before the length the headers promised, or damage
      // inside it: the sound ends here.
      if (got < 0) broken_ = true;
      size_ = position_ + done;
      break;
    }
    done += got;
  }
  position_ += done;
  return done;
}

int64_t VorbisPcmStream::Seek(int64_t offset, SeekOrigin origin) {
  int64_t base = origin == SeekOrigin::kBeginning ? 0 : origin == SeekOrigin::kCurrent ? position_ : size_;
  int64_t target = std::clamp<int64_t>(base + offset, 0, size_) / format_.BlockAlign * format_.BlockAlign;
  if (target != position_ && !broken_) {
    if (ov_pcm_seek(&vf_, target / format_.BlockAlign) != 0) broken_ = true;
  }
  position_ = target;
  return position_;
}

}  // namespace rivo
