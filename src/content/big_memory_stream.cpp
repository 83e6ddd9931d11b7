#include "content/big_memory_stream.h"

#include "content/file_stream.h"

namespace rivo {

void TQnBigMemoryStream::SaveToFile(const std::filesystem::path& path) {
  TFileStream file(path, FileOpen::kCreate);
  file.WriteBuffer(memory_.Data(), memory_.GetSize());
}

void TQnBigMemoryStream::LoadFromFile(const std::filesystem::path& path) {
  memory_ = TQnMemoryStream(ReadWholeFile(path));
}

}  // namespace rivo
