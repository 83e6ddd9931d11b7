#include "content/big_resource_stream.h"

#include <algorithm>

#include "common/error.h"
#include "content/pe_resource.h"

namespace rivo {

TQnBigResourceStream::TQnBigResourceStream(const std::filesystem::path& module_path, std::string_view res_name,
                                           std::string_view res_type)
    : file_(module_path, TQnBigFileStream::kRead | TQnBigFileStream::kDenyWrite),
      res_name_(res_name),
      res_type_(res_type) {
  auto found = FindPeResource(file_, res_type, res_name);
  if (!found || found->size == 0) throw RivoError("リソースが見つかりません");
  start_ = found->offset;
  size_ = found->size;
}

void TQnBigResourceStream::SetPosition(int64_t position) { position_ = std::clamp<int64_t>(position, 0, size_); }

int64_t TQnBigResourceStream::Read(void* buffer, int64_t count) {
  count = std::min(count, size_ - position_);
  if (count <= 0) return 0;
  file_.SetPosition(start_ + position_);
  int64_t got = file_.Read(buffer, count);
  position_ += got;
  return got;
}

}  // namespace rivo
