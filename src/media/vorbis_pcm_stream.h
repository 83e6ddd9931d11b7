#pragma once
// Ogg Vorbis through libvorbisfile, read from any stream of the file manager
// (a loose file, a window over an archive entry, an inflated entry), with
// no temporary copy. Delivers 16-bit samples at the file's own rate and
// channel count.

#include <vorbis/vorbisfile.h>

#include <memory>

#include "media/pcm_stream.h"

namespace rivo {

class VorbisPcmStream final : public PcmStream {
 public:
  // Raises kBadSoundData when libvorbisfile refuses the data.
  explicit VorbisPcmStream(std::unique_ptr<TStream> file);
  ~VorbisPcmStream() override;
  VorbisPcmStream(const VorbisPcmStream&) = delete;
  VorbisPcmStream& operator=(const VorbisPcmStream&) = delete;

  const PcmFormat& Format() const override { return format_; }
  // A decoding error inside the file ends the data there.
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t GetSize() override { return size_; }

 private:
  std::unique_ptr<TStream> file_;
  OggVorbis_File vf_{};
  PcmFormat format_;
  int64_t size_ = 0;
  int64_t position_ = 0;
  bool broken_ = false;
};

}  // namespace rivo
