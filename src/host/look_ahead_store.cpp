#include "host/look_ahead_store.h"

#include <algorithm>
#include <set>

#include "common/sjis.h"

namespace rivo {
namespace {

std::string Key(std::string_view name) { return sjis::LowerCase(name); }

int64_t SurfaceBytes(const TDIBX* surface) {
  return surface ? static_cast<int64_t>(surface->Store().Pitch()) * surface->Height() : 0;
}

}  // namespace

int64_t LookAheadStore::PixelBytes(const TPreparedPicture& frames) {
  int64_t bytes = 0;
  for (const TOrbaItemFrame& frame : frames.frames)
    bytes += SurfaceBytes(frame.surface.get()) + SurfaceBytes(frame.mask.get());
  return bytes;
}

bool LookAheadStore::Claim(const std::string& name) {
  std::lock_guard hold(lock_);
  std::string key = Key(name);
  if (held_.count(key) || pictures_.count(key)) return false;
  pictures_.emplace(std::move(key), Slot{});
  return true;
}

bool LookAheadStore::Finish(const std::string& name, std::optional<Picture> picture, int64_t budget) {
  std::optional<Picture> dropped;  // freed outside the lock
  bool fits = true;
  {
    std::lock_guard hold(lock_);
    const auto slot = pictures_.find(Key(name));
    if (slot != pictures_.end()) {
      const int64_t bytes = picture ? PixelBytes(picture->frames) : 0;
      fits = bytes_ + bytes <= budget;
      if (picture && fits) {
        slot->second.busy = false;
        slot->second.picture = std::move(picture);
        slot->second.bytes = bytes;
        bytes_ += bytes;
      } else {
        pictures_.erase(slot);
      }
    }
    dropped = std::move(picture);
  }
  finished_.notify_all();
  return fits;
}

void LookAheadStore::PutFile(const std::string& name, File file) {
  std::lock_guard hold(lock_);
  files_.insert_or_assign(Key(name), std::move(file));
}

void LookAheadStore::PutBack(const std::string& name, Picture picture) {
  std::lock_guard hold(lock_);
  std::string key = Key(name);
  if (pictures_.count(key)) {
    surplus_.push_back(std::move(picture));
    return;
  }
  const int64_t bytes = PixelBytes(picture.frames);
  bytes_ += bytes;
  pictures_.emplace(std::move(key), Slot{false, std::move(picture), bytes});
}

bool LookAheadStore::FileWanted(const std::string& name) const {
  std::lock_guard hold(lock_);
  const std::string key = Key(name);
  return !files_.count(key) && !files_taken_.count(key);
}

void LookAheadStore::Keep(const std::vector<std::string>& pictures, const std::vector<std::string>& files,
                          int64_t budget) {
  std::vector<Slot> dropped;  // freed outside the lock
  std::vector<Picture> surplus;
  std::lock_guard hold(lock_);
  surplus.swap(surplus_);
  int64_t kept_bytes = 0;
  std::set<std::string, std::less<>> kept;
  for (const std::string& name : pictures) {
    std::string key = Key(name);
    const auto slot = pictures_.find(key);
    if (slot == pictures_.end() || slot->second.busy) continue;
    if (kept_bytes + slot->second.bytes > budget) break;
    kept_bytes += slot->second.bytes;
    kept.insert(std::move(key));
  }
  for (auto slot = pictures_.begin(); slot != pictures_.end();) {
    // A picture under way stays: its worker finishes it, the next plan judges it.
    if (slot->second.busy || kept.count(slot->first)) {
      ++slot;
      continue;
    }
    bytes_ -= slot->second.bytes;
    dropped.push_back(std::move(slot->second));
    slot = pictures_.erase(slot);
  }
  std::set<std::string, std::less<>> wanted_files;
  for (const std::string& name : files) wanted_files.insert(Key(name));
  std::erase_if(files_, [&](const auto& file) { return !wanted_files.count(file.first); });
}

int64_t LookAheadStore::Bytes() const {
  std::lock_guard hold(lock_);
  return bytes_;
}

std::optional<LookAheadStore::Picture> LookAheadStore::TakePicture(const std::string& name,
                                                                   std::optional<std::chrono::microseconds> patience,
                                                                   const std::function<bool()>& getting_on) {
  std::unique_lock hold(lock_);
  const std::string key = Key(name);
  auto slot = pictures_.find(key);
  if (slot == pictures_.end()) return std::nullopt;
  if (slot->second.busy) {
    const auto done = [&] {
      slot = pictures_.find(key);
      return slot == pictures_.end() || !slot->second.busy;
    };
    if (!patience) {
      finished_.wait(hold, done);
    } else {
      using Clock = std::chrono::steady_clock;
      const Clock::time_point deadline = Clock::now() + *patience;
      bool finished = false;
      for (;;) {
        const Clock::time_point until = getting_on ? std::min(deadline, Clock::now() + kProgressStep) : deadline;
        if (finished_.wait_until(hold, until, done)) {
          finished = true;
          break;
        }
        if (Clock::now() >= deadline || (getting_on && !getting_on())) break;
      }
      if (!finished) {
        // Finish finds no slot and drops the worker's result.
        pictures_.erase(slot);
        return std::nullopt;
      }
    }
    if (slot == pictures_.end()) return std::nullopt;
  }
  std::optional<Picture> picture = std::move(slot->second.picture);
  bytes_ -= slot->second.bytes;
  pictures_.erase(slot);
  return picture;
}

std::optional<LookAheadStore::File> LookAheadStore::TakeFile(const std::string& name) {
  std::lock_guard hold(lock_);
  const auto file = files_.find(Key(name));
  if (file == files_.end()) return std::nullopt;
  std::optional<File> taken = std::move(file->second);
  files_taken_.insert(file->first);
  files_.erase(file);
  return taken;
}

std::optional<std::string> LookAheadStore::SequenceOrigin(const std::string& name) const {
  std::lock_guard hold(lock_);
  const auto file = files_.find(Key(name));
  if (file == files_.end() || !file->second.sequence) return std::nullopt;
  return file->second.origin;
}

void LookAheadStore::SetHeld(const std::string& name, bool held) {
  std::lock_guard hold(lock_);
  std::string key = Key(name);
  if (held) {
    ++held_[std::move(key)];
    return;
  }
  const auto count = held_.find(key);
  if (count != held_.end() && --count->second <= 0) held_.erase(count);
}

}  // namespace rivo
