#include "content/range_stream.h"

#include <algorithm>

#include "content/big_file_stream.h"
#include "content/big_resource_stream.h"

namespace rivo {

TRangeStream::TRangeStream(std::unique_ptr<TQnBigStream> stream, int64_t start, std::optional<int64_t> length)
    : stream_(std::move(stream)), start_(std::max<int64_t>(start, 0)) {
  length_ = length ? std::max<int64_t>(*length, 0) : std::max<int64_t>(stream_->GetSize() - start_, 0);
  stream_->SetPosition(start_);
}

int64_t TRangeStream::Seek(int64_t offset, SeekOrigin origin) {
  int64_t target;
  switch (origin) {
    case SeekOrigin::kBeginning: target = start_ + offset; break;
    case SeekOrigin::kCurrent: target = stream_->GetPosition() + offset; break;
    default: target = start_ + length_ + offset; break;
  }
  target = std::clamp(target, start_, start_ + length_);
  stream_->SetPosition(target);
  return target - start_;
}

int64_t TRangeStream::Read(void* buffer, int64_t count) {
  int64_t at = stream_->GetPosition();
  // A window that starts beyond the stream's end holds nothing.
  if (at < start_) return 0;
  count = std::min(count, start_ + length_ - at);
  if (count <= 0) return 0;
  return stream_->Read(buffer, count);
}

TFileRangeStream::TFileRangeStream(const std::filesystem::path& path, int64_t start, std::optional<int64_t> length)
    : TRangeStream(std::make_unique<TQnBigFileStream>(path, TQnBigFileStream::kRead | TQnBigFileStream::kDenyWrite),
                   start, length) {}

TResourceRangeStream::TResourceRangeStream(const std::filesystem::path& module_path, std::string_view res_type,
                                           std::string_view res_name, int64_t start, std::optional<int64_t> length)
    : TRangeStream(std::make_unique<TQnBigResourceStream>(module_path, res_name, res_type), start, length) {}

}  // namespace rivo
