// The music player's synthesizer for builds that carry the pieces pre-rendered (the web
// browser's): each piece X.mid comes beside it as X.ogg, rendered from it through the same
// soundfont and settings as the desktop's synthesizer. The MIDI file still gives the loop point
// (its Length); whatever the recording holds past it (notes dying away) sounds over the start of
// the next pass, as the desktop's synthesizer plays on across the loop.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "media/midi_synth.h"
#include "media/ogg_decode.h"

void SetMidiLibrary(const std::string&) {}

namespace {

// The synthesizers in use, for recordings that arrive after their piece was loaded.
std::vector<TMidiSynth*>& Synths() {
  static std::vector<TMidiSynth*> all;
  return all;
}

}  // namespace

struct TMidiSynth::TImpl {
  int Rate = 0;
  bool Open = false;
  TOggSound Sound;
  bool Looped = false;  // past the first pass: the tail of the pass before sounds too
};

bool TMidiSynth::NeedsSoundFont() {
  return false;
}

TMidiSynth::TMidiSynth() : impl_(std::make_unique<TImpl>()) {
  Synths().push_back(this);
}

TMidiSynth::~TMidiSynth() {
  Close();
  std::erase(Synths(), this);
}

void LoadArrivedRecordings() {
  for (TMidiSynth* synth : Synths()) synth->LoadRecording();
}

void TMidiSynth::LoadRecording() {
  if (!song_ || song_->Path.empty() || impl_->Sound.Frames() > 0) return;
  std::string path = song_->Path;
  const auto dot = path.find_last_of('.');
  path = (dot == std::string::npos ? path : path.substr(0, dot)) + ".ogg";
  TOggSound sound;
  if (!DecodeOggFile(path, sound)) return;  // not there yet
  if (sound.Channels > 2 || sound.Rate != impl_->Rate) {
    std::fprintf(stderr, "Tarvelle: the recording %s is not at %d Hz\n", path.c_str(),
                 impl_->Rate);
    return;
  }
  impl_->Sound = std::move(sound);
}

bool TMidiSynth::Open(const std::string&, int rate, std::string&) {
  impl_->Rate = rate;
  impl_->Open = true;
  return true;
}

void TMidiSynth::Close() {
  running_ = false;
  song_.reset();
  impl_->Sound = {};
  impl_->Open = false;
}

bool TMidiSynth::IsOpen() const {
  return impl_->Open;
}

void TMidiSynth::SetSong(std::shared_ptr<const TMidiSong> song) {
  running_ = false;
  pos_ = 0;
  next_ = 0;
  song_ = std::move(song);
  impl_->Sound = {};
  LoadRecording();
}

void TMidiSynth::Start(uint32_t frame) {
  if (!song_) return;
  pos_ = song_->Length > 0 && frame < song_->Length ? frame : 0;
  impl_->Looped = pos_ > 0;
  running_ = true;
}

void TMidiSynth::Silence() {
  running_ = false;
}

void TMidiSynth::Send(const TMidiEvent&) {}

void TMidiSynth::Render(float* out, int frames) {
  const TOggSound& s = impl_->Sound;
  const size_t have = s.Frames();
  if (!song_ || song_->Length == 0 || have == 0) {
    // The recording has not arrived yet: the piece waits at its start.
    std::fill(out, out + 2 * frames, 0.0f);
    return;
  }
  const uint32_t length = song_->Length;
  const int ch = s.Channels;
  auto sample = [&](size_t frame, int side) -> float {
    if (frame >= have) return 0.0f;
    return float(s.Samples[frame * size_t(ch) + size_t(ch == 2 ? side : 0)]) / 32768.0f;
  };
  for (int i = 0; i < frames; ++i) {
    if (pos_ >= length) {  // the end of the piece: straight on from its start
      pos_ = 0;
      impl_->Looped = true;
    }
    for (int side = 0; side < 2; ++side) {
      float v = sample(pos_, side);
      if (impl_->Looped) v += sample(size_t(pos_) + length, side);
      out[2 * i + side] = std::clamp(v, -1.0f, 1.0f);
    }
    ++pos_;
  }
}
