#include "media/midi_synth.h"

#include <fluidsynth.h>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "platform/shared_library.h"

namespace {

std::string midiLibrary = "libfluidsynth.so.3";

// The synthesizer library's entry points. The library is looked up when music is set up, so
// that the game still starts (and plays without music) where it is not installed.
// clang-format off
#define FLUID_FUNCTIONS(X) \
  X(fluid_set_log_function) \
  X(new_fluid_settings) \
  X(delete_fluid_settings) \
  X(fluid_settings_setnum) \
  X(fluid_settings_setint) \
  X(new_fluid_synth) \
  X(delete_fluid_synth) \
  X(fluid_synth_sfload) \
  X(fluid_synth_all_sounds_off) \
  X(fluid_synth_system_reset) \
  X(fluid_synth_noteon) \
  X(fluid_synth_noteoff) \
  X(fluid_synth_key_pressure) \
  X(fluid_synth_cc) \
  X(fluid_synth_program_change) \
  X(fluid_synth_channel_pressure) \
  X(fluid_synth_pitch_bend) \
  X(fluid_synth_write_float)
// clang-format on

struct TFluidApi {
#define FLUID_POINTER(name) decltype(&::name) name = nullptr;
  FLUID_FUNCTIONS(FLUID_POINTER)
#undef FLUID_POINTER
};

// The entry points of the named library, looked up once (the library stays loaded); null with
// error set when it can't be loaded or lacks one of them.
const TFluidApi* LoadFluidApi(const std::string& library, std::string& error) {
  // Never destroyed: the music player is a global that may shut down after other statics.
  static auto& loaded = *new std::map<std::string, TFluidApi>;
  if (auto it = loaded.find(library); it != loaded.end()) return &it->second;
  TSharedLibrary lib(library);
  if (!lib.Loaded()) {
    error = "no MIDI library (" + library + " is not installed)";
    return nullptr;
  }
  TFluidApi api;
  std::string missing;
#define FLUID_LOOKUP(name)                                            \
  api.name = reinterpret_cast<decltype(api.name)>(lib.Symbol(#name)); \
  if (!api.name && missing.empty()) missing = #name;
  FLUID_FUNCTIONS(FLUID_LOOKUP)
#undef FLUID_LOOKUP
  if (!missing.empty()) {
    error = "no MIDI library (" + library + " has no " + missing + ")";
    return nullptr;
  }
  lib.Keep();
  return &loaded.emplace(library, api).first->second;
}

// A synthesizer with its soundfont loaded, set aside when its player closed. Making one costs
// the library memory that it keeps until the process ends, so a run makes one and every
// player after the first (another game window, a test) takes it back.
struct TSpareSynth {
  const TFluidApi* Api = nullptr;
  fluid_settings_t* Settings = nullptr;
  fluid_synth_t* Synth = nullptr;
  std::string SoundFont;
  int Rate = 0;

  void Drop() {
    if (Synth) Api->delete_fluid_synth(Synth);
    if (Settings) Api->delete_fluid_settings(Settings);
    Synth = nullptr;
    Settings = nullptr;
  }
};

TSpareSynth& Spare() {
  // Never destroyed, like the entry points: players close after other statics are gone.
  static auto& spare = *new TSpareSynth;
  return spare;
}

}  // namespace

void SetMidiLibrary(const std::string& library) {
  midiLibrary = library;
}

struct TMidiSynth::TImpl {
  const TFluidApi* Api = nullptr;
  fluid_settings_t* Settings = nullptr;
  fluid_synth_t* Synth = nullptr;
  std::string SoundFont;  // set once the soundfont is loaded
  int Rate = 0;
  uint64_t Rendered = 0;  // frames written since it was made or taken back
};

bool TMidiSynth::NeedsSoundFont() {
  return true;
}

// The synthesizer plays the pieces themselves: there is no recording to wait for.
void LoadArrivedRecordings() {}
void TMidiSynth::LoadRecording() {}

TMidiSynth::TMidiSynth() : impl_(std::make_unique<TImpl>()) {}

TMidiSynth::~TMidiSynth() {
  Close();
}

bool TMidiSynth::Open(const std::string& soundFont, int rate, std::string& error) {
  Close();
  const TFluidApi* api = LoadFluidApi(midiLibrary, error);
  if (!api) return false;
  impl_->Api = api;
  TSpareSynth& spare = Spare();
  if (spare.Synth && spare.Api == api && spare.SoundFont == soundFont && spare.Rate == rate) {
    impl_->Settings = std::exchange(spare.Settings, nullptr);
    impl_->Synth = std::exchange(spare.Synth, nullptr);
    impl_->SoundFont = soundFont;
    impl_->Rate = rate;
    impl_->Rendered = 0;
    api->fluid_synth_system_reset(impl_->Synth);
    return true;
  }
  spare.Drop();
  // The library's own messages would go to stderr; the game reports failures itself.
  for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
    api->fluid_set_log_function(level, nullptr, nullptr);
  impl_->Settings = api->new_fluid_settings();
  if (!impl_->Settings) {
    error = "the MIDI synthesizer could not be set up";
    return false;
  }
  api->fluid_settings_setnum(impl_->Settings, "synth.sample-rate", rate);
  api->fluid_settings_setnum(impl_->Settings, "synth.gain", 0.8);
  api->fluid_settings_setint(impl_->Settings, "synth.polyphony", 96);
  api->fluid_settings_setint(impl_->Settings, "synth.threadsafe-api", 0);
  api->fluid_settings_setint(impl_->Settings, "synth.chorus.active", 0);
  impl_->Synth = api->new_fluid_synth(impl_->Settings);
  if (!impl_->Synth) {
    error = "the MIDI synthesizer could not be started";
    Close();
    return false;
  }
  if (api->fluid_synth_sfload(impl_->Synth, soundFont.c_str(), 1) == FLUID_FAILED) {
    error = "the soundfont " + soundFont + " could not be loaded";
    Close();
    return false;
  }
  impl_->SoundFont = soundFont;
  impl_->Rate = rate;
  impl_->Rendered = 0;
  return true;
}

void TMidiSynth::Close() {
  running_ = false;
  song_.reset();
  if (impl_->Synth && !impl_->SoundFont.empty()) {
    // Set aside in place of an older spare, played out silent: the reverb's tail dies away and
    // the next player starts on a block of the synthesizer as a new one would, so it sounds
    // exactly as a new one.
    TSpareSynth& spare = Spare();
    spare.Drop();
    const TFluidApi& api = *impl_->Api;
    api.fluid_synth_all_sounds_off(impl_->Synth, -1);
    constexpr int Block = 64;  // the synthesizer's own block of frames
    std::vector<float> out(2 * 4096);
    const int tail = (2 * impl_->Rate + Block - 1) / Block * Block;  // two seconds, whole blocks
    int left = static_cast<int>((Block - impl_->Rendered % Block) % Block) + tail;
    while (left > 0) {
      const int n = std::min(left, 4096);
      api.fluid_synth_write_float(impl_->Synth, n, out.data(), 0, 2, out.data(), 1, 2);
      left -= n;
    }
    spare = {impl_->Api, impl_->Settings, impl_->Synth, impl_->SoundFont, impl_->Rate};
  } else {
    if (impl_->Synth) impl_->Api->delete_fluid_synth(impl_->Synth);
    if (impl_->Settings) impl_->Api->delete_fluid_settings(impl_->Settings);
  }
  impl_->Synth = nullptr;
  impl_->Settings = nullptr;
  impl_->SoundFont.clear();
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
  if (impl_->Synth) impl_->Api->fluid_synth_all_sounds_off(impl_->Synth, -1);
}

void TMidiSynth::Start(uint32_t frame) {
  running_ = false;
  if (!impl_->Synth || !song_) return;
  if (frame >= song_->Length) frame = 0;
  impl_->Api->fluid_synth_system_reset(impl_->Synth);
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
  const TFluidApi& api = *impl_->Api;
  fluid_synth_t* s = impl_->Synth;
  const int ch = e.Status & 0x0F;
  switch (e.Status & 0xF0) {
    case 0x80:
      api.fluid_synth_noteoff(s, ch, e.Data1);
      break;
    case 0x90:
      if (e.Data2 == 0)
        api.fluid_synth_noteoff(s, ch, e.Data1);
      else
        api.fluid_synth_noteon(s, ch, e.Data1, e.Data2);
      break;
    case 0xA0:
      api.fluid_synth_key_pressure(s, ch, e.Data1, e.Data2);
      break;
    case 0xB0:
      api.fluid_synth_cc(s, ch, e.Data1, e.Data2);
      break;
    case 0xC0:
      api.fluid_synth_program_change(s, ch, e.Data1);
      break;
    case 0xD0:
      api.fluid_synth_channel_pressure(s, ch, e.Data1);
      break;
    case 0xE0:
      api.fluid_synth_pitch_bend(s, ch, e.Data1 | e.Data2 << 7);
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
    impl_->Api->fluid_synth_write_float(s, n, p, 0, 2, p, 1, 2);
    impl_->Rendered += static_cast<uint64_t>(n);
    done += n;
    pos_ += n;
  }
}
