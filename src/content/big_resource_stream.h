#pragma once
// TQnBigResourceStream: the bytes of a resource in a Windows executable,
// read straight from the file as a read-only window (positions count from
// the resource's first byte).

#include <filesystem>
#include <string>
#include <string_view>

#include "content/big_file_stream.h"

namespace rivo {

class TQnBigResourceStream : public TQnBigStream {
 public:
  // Raises "リソースが見つかりません" when the file holds no such resource or
  // it is empty.
  TQnBigResourceStream(const std::filesystem::path& module_path, std::string_view res_name,
                       std::string_view res_type);

  int64_t GetSize() override { return size_; }
  int64_t GetPosition() override { return position_; }
  void SetPosition(int64_t position) override;
  int64_t Write(const void*, int64_t) override { return 0; }
  int64_t Read(void* buffer, int64_t count) override;

  const std::filesystem::path& module_path() const { return file_.path(); }
  const std::string& res_name() const { return res_name_; }
  const std::string& res_type() const { return res_type_; }

 private:
  TQnBigFileStream file_;
  std::string res_name_, res_type_;
  int64_t start_ = 0;
  int64_t size_ = 0;
  int64_t position_ = 0;
};

}  // namespace rivo
