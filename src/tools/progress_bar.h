#pragma once
// A progress bar on standard error, for work that takes a while: drawn only
// when standard error is a terminal and the work is large, so logs and
// pipes stay clean.

#include <cstdint>
#include <string>

namespace rivo::tools {

class ProgressBar {
 public:
  ProgressBar(std::string label, int64_t total_bytes);
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  void Advance(int64_t bytes);

 private:
  void Draw();

  std::string label_;
  int64_t total_;
  int64_t done_ = 0;
  int shown_percent_ = -1;
  bool enabled_;
};

}  // namespace rivo::tools
