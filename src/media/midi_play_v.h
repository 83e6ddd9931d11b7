#pragma once
// The sequencer: sends the events of a loaded MIDI file to an output from a
// 10 ms timer, from any millisecond position (chasing the controllers,
// programs and system-exclusive data passed over, never the notes), with
// repeat and a per-controller scale that the items use for their volume.
//
// Every operation of the owner's thread holds the timer: it waits until no
// timer step is running and keeps the next one from starting until it is
// done. Without a timer thread (tests, rendering to a file) the owner calls
// TimerStep itself, with the clock it chose.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <thread>

#include "media/midi_output.h"
#include "media/midi_v.h"
#include "platform/clock.h"

namespace rivo {

class TMidiPlayV {
 public:
  using SleepMs = std::function<void(int ms)>;
  static constexpr int kIntervalMs = 10;

  TMidiPlayV(Clock& clock, SleepMs sleep, bool run_timer);
  ~TMidiPlayV();
  TMidiPlayV(const TMidiPlayV&) = delete;
  TMidiPlayV& operator=(const TMidiPlayV&) = delete;

  // Stops and reads a file; the position moves with the next PlayFrom.
  void Load(std::span<const uint8_t> bytes);
  // The same with the file parsed already.
  void Load(TMidiV parsed);
  bool Open(std::shared_ptr<MidiOutput> output);
  void Close();
  void PlayFrom(int32_t ms);
  void Stop();
  bool IsRunning() const;
  bool IsEnd() const;
  void SetScaleAll(int controller, int percent);
  void SetScale(int channel, int controller, int percent);
  void SendMasterVolume();

  bool DeviceOpen() const;
  int32_t PlayTime() const;
  int32_t Length() const;
  bool Repeat() const;
  void SetRepeat(bool repeat);

  // One timer step: advance the clock and send what is due.
  void TimerStep();

 private:
  void TimerLoop();
  void StepLocked();
  void Send(const TMidiMsgEvent& e);
  void SendControl(int channel, int controller);
  void AllNotesOff();
  void Short(uint32_t packed);
  int32_t LastIndex() const { return static_cast<int32_t>(midi_.Events.size()) - 1; }

  Clock& clock_;
  SleepMs sleep_;
  mutable std::mutex hold_;
  std::condition_variable wake_;
  bool enabled_ = false;
  bool terminating_ = false;

  TMidiV midi_;
  std::shared_ptr<MidiOutput> output_;
  int32_t current_ = 0;
  int32_t play_time_ = 0;
  uint64_t last_tick_ = 0;
  bool repeat_ = false;
  int32_t values_[16][128] = {};
  int32_t scales_[16][128];
  std::thread timer_;
};

}  // namespace rivo
