// rivotool midi FILE [--json]: the header of a MIDI file and its events in
// playing order, each with the time the sequencer gives it, its tick, its
// track and its bytes (running status written out).

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>

#include "media/midi_v.h"
#include "tools/midi_command.h"

namespace rivo::tools {
namespace {

constexpr const char* kUsage = "usage: rivotool midi FILE [--json]\n";

std::string HexOf(const std::string& bytes) {
  std::string out;
  char two[3];
  for (unsigned char c : bytes) {
    std::snprintf(two, sizeof two, "%02x", c);
    out += two;
  }
  return out;
}

void PrintJson(const TMidiV& midi) {
  std::cout << "{\"format\": " << midi.Format << ", \"division\": " << midi.Division << ", \"tracks\": "
            << midi.TracksRead << ", \"length_ms\": " << midi.Length << ", \"events\": [";
  for (std::size_t i = 0; i < midi.Events.size(); ++i) {
    const TMidiMsgEvent& e = midi.Events[i];
    std::cout << (i ? ",\n  " : "\n  ") << "{\"ms\": " << e.Time << ", \"tick\": " << e.Tick
              << ", \"track\": " << e.Track << ", \"data\": \"" << HexOf(e.Data) << "\"}";
  }
  std::cout << (midi.Events.empty() ? "]}\n" : "\n]}\n");
}

void PrintText(const TMidiV& midi) {
  std::cout << "format " << midi.Format << ", division " << midi.Division << ", " << midi.TracksRead
            << " tracks, " << midi.Events.size() << " events, " << midi.Length << " ms\n";
  for (const TMidiMsgEvent& e : midi.Events)
    std::cout << e.Time << " ms\ttick " << e.Tick << "\ttrack " << e.Track << "\t" << HexOf(e.Data) << "\n";
}

}  // namespace

int RunMidi(const std::vector<std::string>& args) {
  std::string file;
  bool json = false;
  for (const std::string& a : args) {
    if (a == "--json") {
      json = true;
    } else if (a.starts_with("--") || !file.empty()) {
      std::cerr << kUsage;
      return 1;
    } else {
      file = a;
    }
  }
  if (file.empty()) {
    std::cerr << kUsage;
    return 1;
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::cerr << "rivotool midi: cannot open " << file << "\n";
    return 2;
  }
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  TMidiV midi;
  midi.Load({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
  json ? PrintJson(midi) : PrintText(midi);
  return 0;
}

}  // namespace rivo::tools
