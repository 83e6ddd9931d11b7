#include "media/midi_manager.h"

#include <algorithm>
#include <thread>

#include "common/error.h"
#include "media/fluid_synth_output.h"
#include "media/media_file.h"
#include "media/midi_item.h"
#include "media/queued_synth.h"

namespace rivo {

namespace {
// "MIDIマッパー" in CP932.
constexpr char kMapperName[] = "MIDI\x83\x7D\x83\x62\x83\x70\x81\x5B";
constexpr char kSynthPortName[] = "FluidSynth GM";

void SleepFor(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// The port of music nobody hears, or of a synthesiser that could not be
// made: an open device all the same, so that the sequencer behaves exactly
// as it does with sound.
class SilentOutput final : public MidiOutput {
 public:
  void ShortMessage(uint32_t) override {}
  void LongMessage(std::span<const uint8_t>) override {}
};
}  // namespace

TMidiManager::TMidiManager(TVrFileManager& files, AudioMixer& mixer, Clock& clock, std::filesystem::path sound_font,
                           bool heard)
    : files_(files),
      mixer_(mixer),
      sound_font_(std::move(sound_font)),
      ports_{kMapperName, kSynthPortName},
      synthesis_(!heard                                     ? Synthesis::kNone
                 : mixer.Pull() == AudioPull::kOwnThread ? Synthesis::kQueued
                                                            : Synthesis::kWait) {
  // A device that pulls on the caller's thread times the music by its samples;
  // a device of its own (or none) leaves the sequencer to its timer thread.
  const bool paced = mixer.Pull() == AudioPull::kCallerThread;
  pacer_ = std::make_shared<MidiPacer>(paced);
  sequencer_ = std::make_unique<TMidiPlayV>(paced ? static_cast<Clock&>(*pacer_) : clock,
                                           paced ? TMidiPlayV::SleepMs([](int) {}) : TMidiPlayV::SleepMs(SleepFor),
                                           !paced);
  pacer_->SetSequencer(sequencer_.get());
  mixer_.Add(pacer_);
}

TMidiManager::~TMidiManager() {
  Clear();  // the owning item closes the port
  mixer_.Remove(pacer_.get());
  sequencer_.reset();
}

std::string TMidiManager::PortName(int32_t index) const {
  return index >= 0 && index < PortCount() ? ports_[static_cast<std::size_t>(index)] : ports_[0];
}

void TMidiManager::SelectPort(std::string_view name) {
  auto it = std::find(ports_.begin(), ports_.end(), name);
  const int32_t index = it == ports_.end() ? 0 : static_cast<int32_t>(it - ports_.begin());
  PrepareSynth();  // a game that chooses a port is about to play
  if (index == selected_) return;
  selected_ = index;
  if (!sequencer_->DeviceOpen()) return;
  const bool running = sequencer_->IsRunning();
  const int32_t at = sequencer_->PlayTime();
  sequencer_->Stop();
  sequencer_->Close();
  OpenPort();
  if (running) sequencer_->PlayFrom(at);
}

void TMidiManager::PrepareSynth() {
  // Without a thread to spare, the first open makes it itself.
  if (synthesis_ != Synthesis::kNone && !output_ && !synth_ahead_.valid())
    synth_ahead_ = MakeFluidSynthAhead(sound_font_);
}

void TMidiManager::PrepareSynth(SynthAhead ahead) {
  if (!output_ && !synth_ahead_.valid()) synth_ahead_ = std::move(ahead);
}

void TMidiManager::OpenPort() {
  if (sequencer_->DeviceOpen()) return;
  if (!output_) output_ = MakeOutput();
  // Every port is the synthesiser; the list only keeps the games' choices.
  sequencer_->Open(output_);
}

std::shared_ptr<MidiOutput> TMidiManager::MakeOutput() {
  if (synthesis_ == Synthesis::kNone) return std::make_shared<SilentOutput>();
  PrepareSynth();
  std::shared_ptr<MidiSynth> synth;
  // Without a worker, even a device of its own thread waits for the synthesiser.
  if (synthesis_ == Synthesis::kQueued && synth_ahead_.valid()) {
    synth = std::make_shared<QueuedSynth>(std::move(synth_ahead_));
  } else {
    try {
      synth = synth_ahead_.valid() ? synth_ahead_.get()
                                   : std::make_shared<FluidSynthOutput>(ChooseSoundFont(sound_font_));
    } catch (const RivoError&) {
      return std::make_shared<SilentOutput>();  // no sound font: the music is timed and silent
    }
  }
  pacer_->SetSynth(synth);
  return synth;
}

std::unique_ptr<TDMediaItem> TMidiManager::Create(std::string_view name) {
  // A missing or unreadable file raises here, as for every kind; one read
  // whole ahead from where it lies now is neither, and is not read twice.
  if (!prepared_ || !prepared_->OffersSequence(name)) OpenMediaFile(files_, name);
  return std::make_unique<TMidiItem>(*this, std::string(name));
}

std::unique_ptr<TMidiV> TMidiManager::TakePrepared(std::string_view name) {
  return prepared_ ? prepared_->TakeSequence(name) : nullptr;
}

}  // namespace rivo
