#pragma once
// TMidiManager: the items of ".mid" and ".sgt" files, the one sequencer
// they share and the list of output ports. Every port plays through the
// General MIDI synthesiser mixed into the one audio device; the list
// starts with "MIDIマッパー" like the games expect, then the synthesiser's
// own port. The synthesiser (and its sound font) is made on a worker thread
// ahead of the first note. How the first open takes it depends on who
// listens:
// - a device pulled on the caller's thread (rendering to a file, tests)
//   waits for it, so the music starts with its first note whatever the
//   worker's speed and every run renders the same;
// - a device of its own thread waits for nothing: the messages go through
//   a QueuedSynth, which keeps them until the synthesiser is ready;
// - a device that throws its samples away gets no synthesiser at all.
// Whatever happens (no sound font either), the sequencer runs and times
// the music the same way.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "content/vr_file_manager.h"
#include "media/audio_mixer.h"
#include "media/media_manager.h"
#include "media/midi_output.h"
#include "media/midi_pacer.h"
#include "media/midi_play_v.h"
#include "media/midi_synth.h"
#include "media/prepared_music.h"

namespace rivo {

class TMidiItem;

class TMidiManager final : public TMediaManager {
 public:
  // sound_font: the font named by the user, empty for Debian's default;
  // heard: whether anyone hears or keeps what the mixer renders.
  TMidiManager(TVrFileManager& files, AudioMixer& mixer, Clock& clock, std::filesystem::path sound_font, bool heard);
  ~TMidiManager() override;

  // Ports: names in CP932.
  int32_t PortCount() const { return static_cast<int32_t>(ports_.size()); }
  std::string PortName(int32_t index) const;
  // The position of name in the list (the mapper when it is not there);
  // a running sequencer moves to the new port where it was.
  void SelectPort(std::string_view name);
  std::string SelectedPortName() const { return PortName(selected_); }

  TMidiPlayV& Sequencer() { return *sequencer_; }
  TVrFileManager& Files() { return files_; }
  // Where files read ahead are asked for first (nullptr: none); prepared
  // must outlive the manager's items.
  void SetPrepared(TPreparedMusic* prepared) { prepared_ = prepared; }
  // The file's sequence read ahead (TPreparedMusic::TakeSequence), or nullptr.
  std::unique_ptr<TMidiV> TakePrepared(std::string_view name);
  // The item whose file the sequencer holds, or nullptr.
  TMidiItem* Owner() const { return owner_; }
  void SetOwner(TMidiItem* item) { owner_ = item; }
  // Opens the selected port when no port is open.
  void OpenPort();
  // Starts making the synthesiser on a worker thread (MakeFluidSynthAhead)
  // for the first open to take. A no-op once started, or when nobody hears.
  void PrepareSynth();
  // The same with a worker the player started before the manager existed;
  // once one is started, another is set aside (its worker joined).
  void PrepareSynth(SynthAhead ahead);

 protected:
  std::unique_ptr<TDMediaItem> Create(std::string_view name) override;

 private:
  enum class Synthesis { kNone, kWait, kQueued };
  // The output of the first open, with its synthesiser rendered by the pacer.
  std::shared_ptr<MidiOutput> MakeOutput();

  TVrFileManager& files_;
  AudioMixer& mixer_;
  const std::filesystem::path sound_font_;
  std::vector<std::string> ports_;
  int32_t selected_ = 0;
  const Synthesis synthesis_;
  std::shared_ptr<MidiPacer> pacer_;
  std::unique_ptr<TMidiPlayV> sequencer_;
  std::shared_ptr<MidiOutput> output_;  // made on the first open
  // The worker's synthesiser until the first open takes it; destroying the
  // future waits for the worker, which touches nothing else of the manager.
  SynthAhead synth_ahead_;
  TMidiItem* owner_ = nullptr;
  TPreparedMusic* prepared_ = nullptr;
};

}  // namespace rivo
