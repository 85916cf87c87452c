#include "media/midi_synth.h"

#include <fluidsynth.h>

#include <algorithm>

struct TMidiSynth::TImpl {
  fluid_settings_t* Settings = nullptr;
  fluid_synth_t* Synth = nullptr;
};

TMidiSynth::TMidiSynth() : impl_(std::make_unique<TImpl>()) {}

TMidiSynth::~TMidiSynth() {
  Close();
}

bool TMidiSynth::Open(const std::string& soundFont, int rate, std::string& error) {
  Close();
  // The library's own messages would go to stderr; the game reports failures itself.
  for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
    fluid_set_log_function(level, nullptr, nullptr);
  impl_->Settings = new_fluid_settings();
  if (!impl_->Settings) {
    error = "the MIDI synthesizer could not be set up";
    return false;
  }
  fluid_settings_setnum(impl_->Settings, "synth.sample-rate", rate);
  fluid_settings_setnum(impl_->Settings, "synth.gain", 0.8);
  fluid_settings_setint(impl_->Settings, "synth.polyphony", 96);
  fluid_settings_setint(impl_->Settings, "synth.threadsafe-api", 0);
  fluid_settings_setint(impl_->Settings, "synth.chorus.active", 0);
  impl_->Synth = new_fluid_synth(impl_->Settings);
  if (!impl_->Synth) {
    error = "the MIDI synthesizer could not be started";
    Close();
    return false;
  }
  if (fluid_synth_sfload(impl_->Synth, soundFont.c_str(), 1) == FLUID_FAILED) {
    error = "the soundfont " + soundFont + " could not be loaded";
    Close();
    return false;
  }
  return true;
}

void TMidiSynth::Close() {
  running_ = false;
  song_.reset();
  if (impl_->Synth) delete_fluid_synth(impl_->Synth);
  if (impl_->Settings) delete_fluid_settings(impl_->Settings);
  impl_->Synth = nullptr;
  impl_->Settings = nullptr;
}

bool TMidiSynth::IsOpen() const {
  return impl_->Synth != nullptr;
}

void TMidiSynth::SetSong(std::shared_ptr<const TMidiSong> song) {
  Silence();
  song_ = std::move(song);
  next_ = 0;
  pos_ = 0;
}

void TMidiSynth::Silence() {
  running_ = false;
  if (impl_->Synth) fluid_synth_all_sounds_off(impl_->Synth, -1);
}

void TMidiSynth::Start(uint32_t frame) {
  running_ = false;
  if (!impl_->Synth || !song_) return;
  if (frame >= song_->Length) frame = 0;
  fluid_synth_system_reset(impl_->Synth);
  next_ = 0;
  for (; next_ < song_->Events.size() && song_->Events[next_].Frame < frame; ++next_) {
    const TMidiEvent& e = song_->Events[next_];
    const uint8_t kind = e.Status & 0xF0;
    if (kind != 0x80 && kind != 0x90 && kind != 0xA0) Send(e);
  }
  pos_ = frame;
  running_ = true;
}

void TMidiSynth::Send(const TMidiEvent& e) {
  fluid_synth_t* s = impl_->Synth;
  const int ch = e.Status & 0x0F;
  switch (e.Status & 0xF0) {
    case 0x80:
      fluid_synth_noteoff(s, ch, e.Data1);
      break;
    case 0x90:
      if (e.Data2 == 0)
        fluid_synth_noteoff(s, ch, e.Data1);
      else
        fluid_synth_noteon(s, ch, e.Data1, e.Data2);
      break;
    case 0xA0:
      fluid_synth_key_pressure(s, ch, e.Data1, e.Data2);
      break;
    case 0xB0:
      fluid_synth_cc(s, ch, e.Data1, e.Data2);
      break;
    case 0xC0:
      fluid_synth_program_change(s, ch, e.Data1);
      break;
    case 0xD0:
      fluid_synth_channel_pressure(s, ch, e.Data1);
      break;
    case 0xE0:
      fluid_synth_pitch_bend(s, ch, e.Data1 | e.Data2 << 7);
      break;
  }
}

void TMidiSynth::Render(float* out, int frames) {
  fluid_synth_t* s = impl_->Synth;
  if (!s || !song_ || song_->Length == 0) {
    std::fill(out, out + 2 * frames, 0.0f);
    return;
  }
  const auto& events = song_->Events;
  int done = 0;
  while (done < frames) {
    while (next_ < events.size() && events[next_].Frame <= pos_) Send(events[next_++]);
    if (pos_ >= song_->Length) {  // the end of the piece: straight on from its start
      pos_ = 0;
      next_ = 0;
      continue;
    }
    const uint32_t until = next_ < events.size() ? events[next_].Frame : song_->Length;
    const int n = static_cast<int>(std::min<uint32_t>(frames - done, until - pos_));
    float* p = out + 2 * done;
    fluid_synth_write_float(s, n, p, 0, 2, p, 1, 2);
    done += n;
    pos_ += n;
  }
}
