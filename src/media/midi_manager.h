#pragma once
// TMidiManager: the items of ".mid" and ".sgt" files, the one sequencer
// they share and the list of output ports. Every port plays through the
// General MIDI synthesiser mixed into the one audio device; the list
// starts with "MIDIマッパー" like the games expect, then the synthesiser's
// own port. The synthesiser (and its sound font) is made on a worker thread
// ahead of the first note, and taken when a port is first opened; without a
// font the sequencer still runs and times the music, and nothing is heard.

#include <filesystem>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "content/vr_file_manager.h"
#include "media/audio_mixer.h"
#include "media/media_manager.h"
#include "media/midi_output.h"
#include "media/midi_pacer.h"
#include "media/midi_play_v.h"

namespace rivo {

class FluidSynthOutput;
class TMidiItem;

class TMidiManager final : public TMediaManager {
 public:
  // sound_font: the font named by the user, empty for Debian's default.
  TMidiManager(TVrFileManager& files, AudioMixer& mixer, Clock& clock, std::filesystem::path sound_font);
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
  // The item whose file the sequencer holds, or nullptr.
  TMidiItem* Owner() const { return owner_; }
  void SetOwner(TMidiItem* item) { owner_ = item; }
  // Opens the selected port when no port is open.
  void OpenPort();
  // Starts making the synthesiser on a worker thread (MakeFluidSynthAhead);
  // the first open takes it, waiting only for what is left. A no-op once
  // started.
  void PrepareSynth();
  // The same with a worker the player started before the manager existed;
  // once one is started, another is set aside (its worker joined).
  void PrepareSynth(std::future<std::shared_ptr<FluidSynthOutput>> ahead);

 protected:
  std::unique_ptr<TDMediaItem> Create(std::string_view name) override;

 private:
  TVrFileManager& files_;
  AudioMixer& mixer_;
  const std::filesystem::path sound_font_;
  std::vector<std::string> ports_;
  int32_t selected_ = 0;
  std::shared_ptr<MidiPacer> pacer_;
  std::unique_ptr<TMidiPlayV> sequencer_;
  std::shared_ptr<MidiOutput> synth_;  // taken on the first open
  bool synth_tried_ = false;
  // The worker's synthesiser until the first open takes it; destroying the
  // future waits for the worker, which touches nothing else of the manager.
  std::future<std::shared_ptr<FluidSynthOutput>> synth_ahead_;
  TMidiItem* owner_ = nullptr;
};

}  // namespace rivo
