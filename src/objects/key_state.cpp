#include "objects/key_state.h"

#include <algorithm>
#include <climits>

namespace rivo {

void TKeyState::SetKeyDown(int32_t code, bool down) {
  if (code < 0 || code >= kKeyCount || (down_[code] != 0) == down) return;
  down_[code] = down;
  repeat_now_[code] = down;
  if (down) {
    countdown_[code] = kRepeatDelayMs;
    down_pending_ = true;
    repeat_pending_ = true;
    keys_down_.push_back(code);
    keys_repeated_.push_back(code);
  } else {
    up_pending_ = true;
    keys_up_.push_back(code);
  }
}

void TKeyState::MarkKeyPressed(int32_t code) {
  if (code >= 0 && code < kKeyCount) pressed_now_[code] = 1;
}

void TKeyState::Clear() { *this = TKeyState(); }

void TKeyState::BeginTick() {
  pushed_ = pressed_now_;
  pressed_now_.fill(0);
  repeated_ = repeat_now_;
}

void TKeyState::CountRepeats(int32_t elapsed_ms) {
  for (int32_t code = 0; code < kKeyCount; ++code) {
    if (!down_[code]) continue;
    // Ticks longer than the interval leave the countdown behind, so the key
    // repeats on every tick; held long enough it must still not wrap.
    int64_t left = std::max<int64_t>(int64_t{countdown_[code]} - elapsed_ms, INT32_MIN / 2);
    repeat_now_[code] = left <= 0;
    if (left <= 0) {
      left += kRepeatIntervalMs;
      repeat_pending_ = true;
      keys_repeated_.push_back(code);
    }
    countdown_[code] = static_cast<int32_t>(left);
  }
}

void TKeyState::ClearPending() {
  down_pending_ = up_pending_ = repeat_pending_ = false;
  keys_down_.clear();
  keys_up_.clear();
  keys_repeated_.clear();
}

}  // namespace rivo
