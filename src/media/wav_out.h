#pragma once
// TWavOut: the player's own wave output, used for ogg and wave sounds when
// "game.ini" turns DirectSound off. Sources are mixed in blocks of
// SoundDelayMs; at most two blocks wait at the device, so what is heard
// lags what was mixed by one to two block lengths, and the end and the
// position heard are estimated from the time of the last fill. The block
// arithmetic (the six PCM conversions, the volume shift, the saturating add)
// is kept exactly, so a game sounds the same as it always has.
//
// The "device" is one input of the audio mixer: it plays the queued blocks
// in order and marks each done when it has been heard. The feeder that
// mixes new blocks is a thread waking four times per block length when the
// device pulls on its own thread, and otherwise runs inside the pull (the
// null device in virtual time), so tests see every block boundary exactly.
// Time comes from an injected clock.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "media/audio_mixer.h"
#include "media/pcm_stream.h"
#include "platform/clock.h"

namespace rivo {

class TWavOut;

// Whether the wave output plays this format as it stands: 1 or 2 channels,
// 44,100 or 22,050 Hz, 8 or 16 bits of integer PCM. Its items convert
// anything else first.
bool IsWavOutFormat(const PcmFormat& format);

// One source of the wave output. All but IsEnd and the direct writes of
// Looping and LoopStart run under the output's lock.
class TWavBuffer {
 public:
  TWavBuffer(TWavOut& owner, const PcmFormat& format, PcmStream* source);
  ~TWavBuffer();
  TWavBuffer(const TWavBuffer&) = delete;
  TWavBuffer& operator=(const TWavBuffer&) = delete;

  void Play();
  void Pause();
  void SetPosition(int32_t bytes);
  void SetVolume(int32_t volume);  // 0 … 256
  // The byte position being heard (an estimate: see GetPosition in wav_out.cpp).
  int32_t GetPosition();
  bool IsEnd();

  const PcmFormat& Format() const { return format_; }
  bool Started();
  bool Paused();

  // Set directly by the owning item.
  std::atomic<bool> Looping{false};
  std::atomic<int32_t> LoopStart{0};

 private:
  friend class TWavOut;

// Whether the wave output plays this format as it stands: 1 or 2 channels,
// 44,100 or 22,050 Hz, 8 or 16 bits of integer PCM. Its items convert
// anything else first.
bool IsWavOutFormat(const PcmFormat& format);
  // Reads, converts and adds this source's next block into block; true when
  // it produced samples.
  bool FillAndAdd(std::span<int16_t> block);
  int64_t ReadSource(char* into, int64_t wanted);

  TWavOut& owner_;
  PcmFormat format_;
  PcmStream* source_;
  std::vector<int16_t> scratch_;
  int32_t position_ = 0;
  int32_t volume_ = 256;
  bool started_ = false;
  bool paused_ = false;
  bool ended_ = false;
  uint64_t last_fill_ = 0;
};

class TWavOut final : public MixerInput, public std::enable_shared_from_this<TWavOut> {
 public:
  // delay_ms: SoundDelayMs (100 … 500). The output starts closed.
  TWavOut(AudioMixer& mixer, Clock& clock, int32_t delay_ms);
  ~TWavOut() override;
  TWavOut(const TWavOut&) = delete;
  TWavOut& operator=(const TWavOut&) = delete;

  // False when open already, or when no device pulls samples.
  bool Open();
  void Close();
  bool IsOpen();

  TWavBuffer* AddBuffer(const PcmFormat& format, PcmStream* source);
  void RemoveBuffer(TWavBuffer* buffer);

  // One feeder step: recycles the blocks heard, then mixes up to two new
  // ones while at most one waits.
  void Pump();

  int32_t BufferBytes() const { return buffer_bytes_; }
  int32_t DelayMs() const { return delay_ms_; }
  // Blocks handed to the device and not yet recycled.
  std::size_t QueuedBlocks();
  uint64_t Now() { return clock_.NowMs(); }

  void MixInto(std::span<int32_t> acc) override;

 private:
  friend class TWavBuffer;
  struct Block {
    std::vector<int16_t> samples;
    std::size_t played = 0;  // samples the device has taken
    bool done = false;
  };
  bool Mix(std::span<int16_t> block);
  void FeederLoop();
  void Activate(TWavBuffer* buffer, bool active);

  AudioMixer& mixer_;
  Clock& clock_;
  const int32_t delay_ms_;
  const int32_t buffer_bytes_;

  std::recursive_mutex lock_;  // the output's Lock
  bool open_ = false;
  std::vector<std::unique_ptr<TWavBuffer>> sources_;
  std::vector<TWavBuffer*> active_;
  std::vector<std::vector<int16_t>> pool_;

  std::mutex device_mutex_;  // the hand-over of blocks to the device
  std::deque<Block> queue_;

  std::mutex feeder_mutex_;
  std::condition_variable feeder_wake_;
  bool feeder_stop_ = false;
  std::thread feeder_;
};

}  // namespace rivo
