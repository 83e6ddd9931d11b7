#pragma once
// A synthesiser: the sequencer's output that renders what it is told as
// one input of the mixer. SynthAhead is one being made on a worker thread:
// get() waits for it and raises the RivoError of one that cannot be made;
// destroying the future waits for the worker.

#include <future>
#include <memory>

#include "media/audio_mixer.h"
#include "media/midi_output.h"

namespace rivo {

class MidiSynth : public MidiOutput, public MixerInput {};

using SynthAhead = std::future<std::shared_ptr<MidiSynth>>;

}  // namespace rivo
