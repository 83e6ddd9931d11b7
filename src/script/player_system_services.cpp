#include "script/player_system_services.h"

#include <chrono>
#include <ctime>

#include "common/numbers.h"

namespace rivo {

PlayerSystemServices::PlayerSystemServices() { tzset(); }

void PlayerSystemServices::SetProject(std::string title, int32_t screen_width, int32_t screen_height) {
  title_ = std::move(title);
  screen_width_ = screen_width;
  screen_height_ = screen_height;
}

void PlayerSystemServices::BeginFrame(int64_t elapsed_ms, uint32_t update_count) {
  elapsed_ms_ = elapsed_ms;
  update_count_ = update_count;
  frame_time_ = ReadCalendarTime();
}

// 32-bit counters wrap like the system's millisecond timer does.
int32_t PlayerSystemServices::TickCount() { return Low32(elapsed_ms_); }

int32_t PlayerSystemServices::UpdateCount() { return static_cast<int32_t>(update_count_); }

int32_t PlayerSystemServices::PCTickCount() {
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
  return Low32(ms.count());
}

namespace {

// One name per line, CR LF between them and none after the last.
std::string JoinLines(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& name : names) {
    if (!out.empty()) out += "\r\n";
    out += name;
  }
  return out;
}

}  // namespace

std::string PlayerSystemServices::Fonts() {
  if (!fonts_) fonts_ = font_names_ ? JoinLines(font_names_(false)) : std::string();
  return *fonts_;
}

std::string PlayerSystemServices::FixedFonts() {
  if (!fixed_fonts_) fixed_fonts_ = font_names_ ? JoinLines(font_names_(true)) : std::string();
  return *fixed_fonts_;
}

CalendarTime PlayerSystemServices::Now() { return frame_time_ ? *frame_time_ : ReadCalendarTime(); }

CalendarTime ReadCalendarTime() {
  std::time_t now = std::time(nullptr);
  std::tm parts{};
  localtime_r(&now, &parts);
  CalendarTime out;
  out.year = parts.tm_year + 1900;
  out.month = parts.tm_mon + 1;
  out.day = parts.tm_mday;
  out.week = parts.tm_wday + 1;
  out.hour = parts.tm_hour;
  out.minute = parts.tm_min;
  out.second = parts.tm_sec;
  return out;
}

}  // namespace rivo
