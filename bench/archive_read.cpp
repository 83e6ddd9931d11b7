// Reading every entry of a 200 MB archive (half stored entries of 5 MiB,
// half compressed entries of 512 KiB) through the archive reader, beside the
// same bytes read with plain pread and zlib's uncompress into buffers of the
// known size. The archive is made once, in a temporary folder, when the
// benchmarks start.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "content/big_file_stream.h"
#include "content/memory_stream.h"
#include "content/vr_file_collection.h"

namespace {

namespace fs = std::filesystem;
using namespace rivo;

constexpr int kStoredEntries = 20;                 // 5 MiB each: stored
constexpr int kCompressedEntries = 200;            // 512 KiB each: compressed
constexpr std::size_t kCompressedSize = 512 * 1024;

// A fixed xorshift sequence, so that every run writes the same archive.
struct XorShift {
  uint32_t x;
  uint32_t Next() {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    return x;
  }
};

// Text-like bytes: words drawn by a fixed generator, compressing about 3:1.
std::string Words(std::size_t size, uint32_t seed) {
  static const char* kWords[] = {"the ", "player ", "reads ", "every ", "page ", "of ", "text ", "and ",
                                 "picture ", "from ", "archive ", "entries ", "quickly\n", "sound ", "movie ", "menu "};
  std::string out;
  out.reserve(size + 16);
  XorShift random{seed * 2654435761u + 7};
  while (out.size() < size) {
    const uint32_t x = random.Next();
    out += kWords[x & 15];
    if ((x >> 8 & 63) == 0) out += std::to_string(x);
  }
  out.resize(size);
  return out;
}

std::string Noise(std::size_t size, uint32_t seed) {
  std::string out(size, '\0');
  XorShift random{seed * 2654435761u + 1};
  for (char& c : out) c = static_cast<char>(random.Next() >> 24);
  return out;
}

struct Entry {
  int64_t offset, size, content_size;
  bool stored;
};

// The archive on disk and what the plain reader needs to know of it.
struct Archive {
  fs::path folder, path;
  std::vector<Entry> entries;
  int64_t content_bytes = 0;

  Archive() {
    std::string pattern = (fs::temp_directory_path() / "rivo-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    folder = pattern;
    path = folder / "game.dat";
    TVrFileCollection c;
    for (int i = 0; i < kStoredEntries + kCompressedEntries; ++i) {
      bool big = i % 11 == 0 && i / 11 < kStoredEntries;
      std::string content = big ? Noise(TVrFileCollection::kStoreFromSize, i) : Words(kCompressedSize, i);
      TVrFile& e = c.AddMemoryEntry("data\\" + std::to_string(i) + (big ? ".wav" : ".txt"));
      e.Data->WriteBuffer(content.data(), static_cast<int64_t>(content.size()));
    }
    {
      TQnBigFileStream out(path, TQnBigFileStream::kWrite);
      c.WriteArchive(out);
    }
    TVrFileCollection read;
    read.Open(path);
    for (int i = 0; i < c.Count(); ++i) {
      const TVrFile& e = *read.Find(c[i].Name());
      entries.push_back({e.Offset, e.Size, c[i].Data->GetSize(), e.Stored != 0});
      content_bytes += c[i].Data->GetSize();
    }
  }
  ~Archive() {
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
};

Archive& TheArchive() {
  static Archive archive;
  return archive;
}

void BM_ArchiveReaderEveryEntry(benchmark::State& state) {
  Archive& a = TheArchive();
  for (auto _ : state) {
    TVrFileCollection c;
    c.Open(a.path);
    for (int i = 0; i < c.Count(); ++i) {
      TQnMemoryStream out;
      c.ReadArchiveEntry(out, c[i]);
      benchmark::DoNotOptimize(out.Data());
    }
  }
  state.SetBytesProcessed(state.iterations() * a.content_bytes);
}
BENCHMARK(BM_ArchiveReaderEveryEntry)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainReadAndUncompress(benchmark::State& state) {
  Archive& a = TheArchive();
  for (auto _ : state) {
    int fd = ::open(a.path.c_str(), O_RDONLY);
    for (const Entry& e : a.entries) {
      std::unique_ptr<char[]> raw(new char[static_cast<std::size_t>(e.size)]);
      if (::pread(fd, raw.get(), static_cast<std::size_t>(e.size), e.offset) != e.size) state.SkipWithError("short read");
      if (e.stored) {
        benchmark::DoNotOptimize(raw.get());
        continue;
      }
      std::unique_ptr<char[]> out(new char[static_cast<std::size_t>(e.content_size)]);
      uLongf out_size = static_cast<uLongf>(e.content_size);
      if (uncompress(reinterpret_cast<Bytef*>(out.get()), &out_size, reinterpret_cast<const Bytef*>(raw.get()),
                     static_cast<uLong>(e.size)) != Z_OK)
        state.SkipWithError("uncompress failed");
      benchmark::DoNotOptimize(out.get());
    }
    ::close(fd);
  }
  state.SetBytesProcessed(state.iterations() * a.content_bytes);
}
BENCHMARK(BM_PlainReadAndUncompress)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
