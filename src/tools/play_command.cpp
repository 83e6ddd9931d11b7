// rivotool play FILE [--ms N] [--wav OUT.wav]: plays one sound file through
// the same item and mixer the player uses, on the sound device, until its
// end or for N ms; for checking a game's audio without the game. With --wav
// nothing is played: the file is rendered from its start to its last
// sample (at full volume, pan centre) into a 44,100 Hz 16-bit stereo WAV
// file, which is how tests listen.

#include <chrono>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <thread>

#include "common/encoding.h"
#include "common/error.h"
#include "media/fluid_synth_output.h"
#include "media/media_system.h"
#include "media/midi_play_v.h"
#include "media/voice_item.h"
#include "media/wav_writer.h"
#include "platform/private_temp_folder.h"
#include "platform/sdl/sdl_platform.h"
#include "tools/play_command.h"

namespace rivo::tools {

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage = "usage: rivotool play FILE [--ms N] [--wav OUT.wav] [--soundfont FONT.sf2]\n";

struct PlayArgs {
  fs::path file;
  std::optional<int64_t> ms;
  std::optional<fs::path> wav;
  fs::path sound_font;  // for MIDI files; empty: Debian's
};

std::optional<PlayArgs> Parse(const std::vector<std::string>& args) {
  PlayArgs p;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if ((args[i] == "--ms" || args[i] == "--wav" || args[i] == "--soundfont") && i + 1 < args.size()) {
      if (args[i] == "--soundfont") {
        p.sound_font = args[++i];
        continue;
      }
      if (args[i] == "--wav") {
        p.wav = args[++i];
        continue;
      }
      try {
        std::size_t used = 0;
        p.ms = std::stoll(args[++i], &used);
        if (used != args[i].size() || *p.ms < 0) return std::nullopt;
      } catch (const std::exception&) {
        return std::nullopt;
      }
    } else if (p.file.empty() && args[i].rfind("--", 0) != 0) {
      p.file = args[i];
    } else {
      return std::nullopt;
    }
  }
  if (p.file.empty()) return std::nullopt;
  return p;
}

// The mixer's output pulled by this program, as fast as it can render.
class RenderDevice final : public AudioDevice {
 public:
  void SetSource(AudioSource* source) override { source_ = source; }
  bool Audible() const override { return false; }
  AudioPull Pull() const override { return AudioPull::kCallerThread; }

  std::string Render(int64_t frames) {
    std::string pcm;
    std::vector<int16_t> chunk;
    while (frames > 0) {
      int64_t n = std::min<int64_t>(frames, 4096);
      chunk.assign(static_cast<std::size_t>(n * 2), 0);
      if (source_) source_->Render(chunk);
      pcm.append(reinterpret_cast<const char*>(chunk.data()), chunk.size() * 2);
      frames -= n;
    }
    return pcm;
  }

 private:
  AudioSource* source_ = nullptr;
};

int Play(const PlayArgs& p, TVrFileManager& files, const std::string& name) {
  std::unique_ptr<AudioDevice> device = OpenSdlAudio(std::cerr);
  SteadyClock clock;
  TMediaSystem media(files, *device, clock, {.SoundFont = p.sound_font});
  TDMediaItem* item = media.ManagerFor(name)->Add(name);
  item->Play();
  const uint64_t start = clock.NowMs();
  while (!item->IsEnd() && (!p.ms || clock.NowMs() - start < static_cast<uint64_t>(*p.ms)))
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return 0;
}

int Render(const PlayArgs& p, TVrFileManager& files, const std::string& name) {
  RenderDevice device;
  SteadyClock clock;
  TMediaSystem media(files, device, clock, {});
  TDMediaItem* item = media.ManagerFor(name)->Add(name);
  // Items that play nothing (CD tracks with no ripped copy)
  // render as an empty file.
  auto* voice = dynamic_cast<TVoiceItem*>(item);
  int64_t frames = voice ? voice->LengthFrames() : 0;
  if (p.ms) frames = std::min(frames, *p.ms * 441 / 10);
  item->Play();
  std::string wav = WavFileBytes(kMixFormat, device.Render(frames));
  std::ofstream out(*p.wav, std::ios::binary | std::ios::trunc);
  if (!out.write(wav.data(), static_cast<std::streamsize>(wav.size())) || !out.flush()) {
    std::cerr << "rivotool play: " << p.wav->string() << ": cannot write\n";
    return 2;
  }
  return 0;
}

// Virtual time that moves with the samples rendered.
struct RenderClock final : Clock {
  uint64_t now = 0;
  uint64_t NowMs() override { return now; }
};

// A MIDI file through the sequencer and the synthesiser: one timer step per
// 10 ms of samples, so the file renders the same on every machine; it ends
// a second after its last event, for the notes to fade.
int RenderMidi(const PlayArgs& p) {
  std::ifstream in(p.file, std::ios::binary);
  if (!in) {
    std::cerr << "rivotool play: " << p.file.string() << ": cannot open\n";
    return 2;
  }
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  RenderClock clock;
  TMidiPlayV player(clock, [](int) {}, false);
  player.Load({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
  auto synth = std::make_shared<FluidSynthOutput>(ChooseSoundFont(p.sound_font));
  AudioMixer mixer(AudioPull::kCallerThread);
  mixer.Add(synth);
  player.Open(synth);
  player.SendMasterVolume();
  player.PlayFrom(0);
  const int64_t ms = p.ms ? *p.ms : int64_t{player.Length()} + 1000;
  constexpr int kStepFrames = 441;
  std::string pcm;
  std::vector<int16_t> step(kStepFrames * 2);
  for (int64_t t = 0; t < ms; t += TMidiPlayV::kIntervalMs) {
    clock.now += TMidiPlayV::kIntervalMs;
    player.TimerStep();
    mixer.Render(step);
    pcm.append(reinterpret_cast<const char*>(step.data()), step.size() * 2);
  }
  std::string wav = WavFileBytes(kMixFormat, pcm);
  std::ofstream out(*p.wav, std::ios::binary | std::ios::trunc);
  if (!out.write(wav.data(), static_cast<std::streamsize>(wav.size())) || !out.flush()) {
    std::cerr << "rivotool play: " << p.wav->string() << ": cannot write\n";
    return 2;
  }
  return 0;
}

}  // namespace

int RunPlay(const std::vector<std::string>& args) {
  std::optional<PlayArgs> p = Parse(args);
  if (!p) {
    std::cerr << kUsage;
    return 1;
  }
  // The file is found the way a game finds its media: by name in its folder.
  const std::string name = Utf8ToCp932(p->file.filename().string());
  if (MediaKindOf(name) == MediaKind::kNone) {
    std::cerr << "rivotool play: " << p->file.string() << ": not a kind of file the player plays\n";
    return 1;
  }
  if (p->wav && MediaKindOf(name) == MediaKind::kMidi) {
    try {
      return RenderMidi(*p);
    } catch (const RivoError& e) {
      std::cerr << "rivotool play: " << p->file.string() << ": cannot play [" << e.what() << "]\n";
      return 2;
    }
  }
  PrivateTempFolder temp;
  TVrFileManager files(temp.Path());
  files.MountArchive({});
  files.SetBaseFolder(p->file.has_parent_path() ? p->file.parent_path() : fs::path("."));
  try {
    return p->wav ? Render(*p, files, name) : Play(*p, files, name);
  } catch (const RivoError& e) {
    std::cerr << "rivotool play: " << p->file.string() << ": cannot play [" << e.what() << "]\n";
    return 2;
  }
}

}  // namespace rivo::tools
