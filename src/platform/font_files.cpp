#include "platform/font_files.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/encoding.h"

namespace rivo {
namespace {

#if defined(MAP_POPULATE)
constexpr int kPopulate = MAP_POPULATE;
#else
constexpr int kPopulate = 0;
#endif

}  // namespace

MappedFontFile::MappedFontFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  struct stat info {};
  if (fstat(fd, &info) == 0 && info.st_size > 0) {
    void* bytes = mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_PRIVATE | kPopulate, fd, 0);
    if (bytes != MAP_FAILED) bytes_ = {static_cast<const uint8_t*>(bytes), static_cast<std::size_t>(info.st_size)};
  }
  close(fd);
}

MappedFontFile::~MappedFontFile() {
  if (!bytes_.empty()) munmap(const_cast<uint8_t*>(bytes_.data()), bytes_.size());
}

FontFiles::FontFiles() = default;

std::optional<FontFile> FontFiles::Resolve(std::string_view face_cp932, bool bold) {
  std::pair<std::string, bool> key(face_cp932, bold);
  {
    std::lock_guard hold(lock_);
    const auto it = resolved_.find(key);
    if (it != resolved_.end()) return it->second;
  }
  std::optional<FontFile> file = locator_.Find(Cp932ToUtf8(face_cp932), bold);
  std::lock_guard hold(lock_);
  return resolved_.emplace(std::move(key), std::move(file)).first->second;
}

std::shared_ptr<const MappedFontFile> FontFiles::Map(const std::string& path) {
  {
    std::lock_guard hold(lock_);
    const auto it = mapped_.find(path);
    if (it != mapped_.end()) return it->second;
  }
  auto file = std::make_shared<const MappedFontFile>(path);
  std::lock_guard hold(lock_);
  return mapped_.emplace(path, std::move(file)).first->second;
}

std::vector<std::string> FontFiles::Families(bool fixed_pitch) { return locator_.Families(fixed_pitch); }

}  // namespace rivo
