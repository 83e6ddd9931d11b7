#include "tools/progress_bar.h"

#include <unistd.h>

#include <cstdio>

namespace rivo::tools {

namespace {
// Below this the work is over before a bar would be read.
constexpr int64_t kLargeWork = int64_t{64} << 20;
constexpr int kWidth = 40;
}  // namespace

ProgressBar::ProgressBar(std::string label, int64_t total_bytes)
    : label_(std::move(label)), total_(total_bytes), enabled_(total_bytes >= kLargeWork && ::isatty(2)) {
  Draw();
}

ProgressBar::~ProgressBar() {
  if (enabled_) std::fputc('\n', stderr);
}

void ProgressBar::Advance(int64_t bytes) {
  done_ += bytes;
  Draw();
}

void ProgressBar::Draw() {
  if (!enabled_ || total_ <= 0) return;
  int percent = static_cast<int>(done_ * 100 / total_);
  if (percent == shown_percent_) return;
  shown_percent_ = percent;
  int filled = percent * kWidth / 100;
  std::fprintf(stderr, "\r%s [%.*s%*s] %3d%%", label_.c_str(), filled, "########################################",
               kWidth - filled, "", percent);
  std::fflush(stderr);
}

}  // namespace rivo::tools
