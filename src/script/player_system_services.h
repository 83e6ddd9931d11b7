#pragma once
// The player's own answers to the system variables until the screen, the
// history, the display and the media answer theirs: the project's title and
// screen size, the game clock, the system timer and the calendar.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "script/system_services.h"

namespace rivo {

class PlayerSystemServices : public SystemServices {
 public:
  // Reads the time zone now, at start-up, rather than at the first frame's
  // calendar reading.
  PlayerSystemServices();
  void SetProject(std::string title, int32_t screen_width, int32_t screen_height);
  // Each frame: the game time (sum of frame intervals) and the frame count.
  // The calendar is read again here, once per frame, so that every
  // expression of one frame sees the same date and time.
  void BeginFrame(int64_t elapsed_ms, uint32_t update_count);
  // Where "@Fonts" and "@FixedFonts" come from: the face names (CP932), the
  // fixed-pitch ones only when asked. Read once, on first use.
  using FontNameSource = std::function<std::vector<std::string>(bool fixed_pitch)>;
  void SetFontNames(FontNameSource source) { font_names_ = std::move(source); }

  std::string Title() override { return title_; }
  int32_t ScreenWidth() override { return screen_width_; }
  int32_t ScreenHeight() override { return screen_height_; }
  int32_t TickCount() override;
  int32_t PCTickCount() override;
  int32_t UpdateCount() override;
  CalendarTime Now() override;
  std::string Fonts() override;
  std::string FixedFonts() override;

 private:
  FontNameSource font_names_;
  std::optional<std::string> fonts_, fixed_fonts_;
  std::string title_;
  int32_t screen_width_ = 0;
  int32_t screen_height_ = 0;
  int64_t elapsed_ms_ = 0;
  uint32_t update_count_ = 0;
  // Before the first frame the calendar is read live.
  std::optional<CalendarTime> frame_time_;
};

// The local calendar time of the system clock.
CalendarTime ReadCalendarTime();

}  // namespace rivo
