// Windows has no MIDI synthesizer library: the music comes as pre-rendered tunes where the game
// carries their player (cmake/Windows.cmake). Without it the synthesizer never opens, and the
// game plays on without music, as on a Linux machine without FluidSynth.
#include "media/midi_synth.h"

struct TMidiSynth::TImpl {};

void SetMidiLibrary(const std::string&) {}

TMidiSynth::TMidiSynth() : impl_(std::make_unique<TImpl>()) {}
TMidiSynth::~TMidiSynth() = default;

bool TMidiSynth::Open(const std::string&, int, std::string& error) {
  error = "no MIDI library on Windows (its music comes pre-rendered)";
  return false;
}
void TMidiSynth::Close() {}
bool TMidiSynth::IsOpen() const {
  return false;
}

void TMidiSynth::SetSong(std::shared_ptr<const TMidiSong> song) {
  song_ = std::move(song);
  next_ = 0;
  pos_ = 0;
  running_ = false;
}
void TMidiSynth::Start(uint32_t) {}
void TMidiSynth::Silence() {
  running_ = false;
}
void TMidiSynth::Send(const TMidiEvent&) {}
void TMidiSynth::Render(float* out, int frames) {
  for (int i = 0; i < frames * 2; ++i) out[i] = 0;
}
