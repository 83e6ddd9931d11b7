#pragma once
// The keyboard as the screen sees it: which virtual keys are down, which
// went down or repeated since the last tick (and in the tick before, which
// the key system variables read), the repeat countdowns, and the key events
// waiting for the focused control. A held key repeats 300 ms after it went
// down and every 50 ms after that, counted in game time.

#include <array>
#include <cstdint>
#include <vector>

namespace rivo {

class TKeyState {
 public:
  static constexpr int32_t kKeyCount = 256;
  static constexpr int32_t kRepeatDelayMs = 300;
  static constexpr int32_t kRepeatIntervalMs = 50;

  // From the window. A code outside 0..255 is ignored. A change of state
  // queues a key-down and a key-repeat event (down) or a key-up event (up).
  void SetKeyDown(int32_t code, bool down);
  void MarkKeyPressed(int32_t code);
  // Everything back to nothing held (the window lost focus).
  void Clear();

  // The start of the input step: this tick's presses and repeats become
  // the ones the system variables read.
  void BeginTick();
  // The end of the input step: the countdowns of held keys run down by the
  // tick's milliseconds; keys whose countdown ran out repeat (in the next tick).
  void CountRepeats(int32_t elapsed_ms);

  bool KeyIsDown(int32_t code) const { return Get(down_, code); }
  bool KeyWasPushed(int32_t code) const { return Get(pushed_, code); }
  bool KeyWasRepeated(int32_t code) const { return Get(repeated_, code); }

  // The key events waiting for the focused control, in order.
  bool DownPending() const { return down_pending_; }
  bool UpPending() const { return up_pending_; }
  bool RepeatPending() const { return repeat_pending_; }
  const std::vector<int32_t>& KeysDown() const { return keys_down_; }
  const std::vector<int32_t>& KeysUp() const { return keys_up_; }
  const std::vector<int32_t>& KeysRepeated() const { return keys_repeated_; }
  void ClearPending();

 private:
  using Table = std::array<uint8_t, kKeyCount>;
  static bool Get(const Table& t, int32_t code) { return code >= 0 && code < kKeyCount && t[code] != 0; }

  Table down_{}, pressed_now_{}, pushed_{}, repeat_now_{}, repeated_{};
  std::array<int32_t, kKeyCount> countdown_{};
  bool down_pending_ = false, up_pending_ = false, repeat_pending_ = false;
  std::vector<int32_t> keys_down_, keys_up_, keys_repeated_;
};

}  // namespace rivo
