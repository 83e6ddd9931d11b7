#pragma once
// Sounds made at test time by our own writers (PCM, WAV) and libvorbisenc
// (Ogg), a game folder to play them from, and a device whose samples the
// test pulls itself.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "content/vr_file_manager.h"
#include "media/pcm_format.h"
#include "platform/audio_device.h"
#include "platform/private_temp_folder.h"

namespace rivo::testing {

// Interleaved 16-bit samples of a sine wave, as PCM bytes.
std::string SinePcm(int frames, int channels, int rate, double hz, int amplitude);
// The same sample value in every frame and channel.
std::string ConstantPcm(int frames, int channels, int16_t value);
std::string WavOf(const std::string& pcm, int channels, int rate, int bits = 16);
// An Ogg Vorbis file of the given 16-bit PCM (quality 0.5).
std::string OggOf(const std::string& pcm16, int channels, int rate);

void WriteFile(const std::filesystem::path& path, const std::string& bytes);

// A one-second movie of 64 × 48 pixels at 25 frames per second, red for its
// first half and blue for the second, with a 440 Hz tone, made by the
// ffmpeg command with the given codecs (for example "-c:v mpeg1video
// -c:a mp2"). Empty when the command is missing or fails.
std::string MovieOf(const std::string& codecs, const std::string& extension);

// A game folder with its own file manager. Files written with Put are loose;
// Pack moves them all into "game.dat" (small ones compressed, as rivotool
// pack does) and mounts it.
class GameFolder {
 public:
  GameFolder();
  void Put(const std::string& name, const std::string& bytes);
  void Pack();
  TVrFileManager& Files() { return *files_; }
  const std::filesystem::path& Game() const { return game_.Path(); }
  // Whether the file manager's temporary folder holds anything.
  bool TempFolderEmpty() const;

 private:
  PrivateTempFolder game_;
  PrivateTempFolder temp_;
  std::unique_ptr<TVrFileManager> files_;
};

// A device pulled by the test: Pull(frames) renders that many frames. One
// made with discards = true says, like the null device, that nobody hears
// or keeps its samples.
class CaptureDevice final : public AudioDevice {
 public:
  explicit CaptureDevice(bool discards = false) : discards_(discards) {}
  void SetSource(AudioSource* source) override { source_ = source; }
  bool Audible() const override { return false; }
  bool Discards() const override { return discards_; }
  AudioPull Pull() const override { return AudioPull::kCallerThread; }
  std::vector<int16_t> PullFrames(int frames);

 private:
  const bool discards_;
  AudioSource* source_ = nullptr;
};

}  // namespace rivo::testing
