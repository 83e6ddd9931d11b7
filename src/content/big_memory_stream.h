#pragma once
// TQnBigMemoryStream: a big stream held in memory (the ".ext" side file's
// tables, save data before it is written, archives built in tests).

#include <filesystem>
#include <string_view>

#include "content/big_stream.h"
#include "content/memory_stream.h"

namespace rivo {

class TQnBigMemoryStream : public TQnBigStream {
 public:
  TQnBigMemoryStream() = default;
  explicit TQnBigMemoryStream(std::string_view bytes) : memory_(bytes) {}

  int64_t GetSize() override { return memory_.GetSize(); }
  int64_t GetPosition() override { return memory_.GetPosition(); }
  void SetPosition(int64_t position) override { memory_.SetPosition(position); }
  int64_t Write(const void* buffer, int64_t count) override { return memory_.Write(buffer, count); }
  int64_t Read(void* buffer, int64_t count) override { return memory_.Read(buffer, count); }

  void SaveToFile(const std::filesystem::path& path);
  void LoadFromFile(const std::filesystem::path& path);

  TQnMemoryStream& Memory() { return memory_; }
  std::string_view View() const { return memory_.View(); }

 private:
  TQnMemoryStream memory_;
};

}  // namespace rivo
