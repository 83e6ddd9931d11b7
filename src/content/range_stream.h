#pragma once
// TRangeStream: a read-only window over part of a big stream, so that one
// archive entry can be read as if it were a file of its own (media playback
// streams stored entries in place). Each window owns its own stream, hence
// its own open file.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "content/big_stream.h"
#include "content/stream.h"

namespace rivo {

class TRangeStream : public TStream {
 public:
  // The window [start, start + length) of stream; nullopt length reaches to
  // the stream's end. A length of 0 is an empty window (a zero-size entry
  // must never read as the rest of the archive).
  TRangeStream(std::unique_ptr<TQnBigStream> stream, int64_t start, std::optional<int64_t> length);

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void*, int64_t) override { return 0; }
  // Clamped into the window; returns the position within it.
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t GetSize() override { return length_; }

  int64_t start() const { return start_; }

 private:
  std::unique_ptr<TQnBigStream> stream_;
  int64_t start_;
  int64_t length_;
};

// A window over a file on disk (opened anew, read only).
class TFileRangeStream : public TRangeStream {
 public:
  TFileRangeStream(const std::filesystem::path& path, int64_t start, std::optional<int64_t> length);
};

// A window over an executable's resource.
class TResourceRangeStream : public TRangeStream {
 public:
  TResourceRangeStream(const std::filesystem::path& module_path, std::string_view res_type,
                       std::string_view res_name, int64_t start, std::optional<int64_t> length);
};

}  // namespace rivo
