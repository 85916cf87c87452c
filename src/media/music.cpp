#include "media/music.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/paths.h"

namespace fs = std::filesystem;

namespace {
std::string soundFontFolder = "/usr/share/sounds/";
}  // namespace

void SetSoundFontFolder(const std::string& folder) {
  soundFontFolder = folder;
}

std::string FindSoundFont() {
  std::error_code ec;
  for (const char* name : {"sf2/TimGM6mb.sf2", "sf2/default-GM.sf2", "sf3/default-GM.sf3"}) {
    const std::string path = soundFontFolder + name;
    if (fs::is_regular_file(paths::PathOf(path), ec)) return path;
  }
  std::vector<std::string> found;
  for (fs::recursive_directory_iterator it(paths::PathOf(soundFontFolder), ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string ext = it->path().extension().string();
    if ((ext == ".sf2" || ext == ".sf3") && it->is_regular_file(ec)) found.push_back(paths::Utf8Of(it->path()));
  }
  std::sort(found.begin(), found.end());
  return found.empty() ? "" : found.front();
}

TDXMusic::TDXMusic() = default;
TDXMusic::~TDXMusic() {
  Shutdown();
}

bool TDXMusic::Initialize(TDXSound& sound, const std::string& folder) {
  Shutdown();
  if (!sound.Initialized()) return false;
  const std::string font = TMidiSynth::NeedsSoundFont() ? FindSoundFont() : "";
  if (font.empty() && TMidiSynth::NeedsSoundFont()) {
    std::fprintf(stderr,
                 "Tarvelle: music is off: no General MIDI soundfont (.sf2 or .sf3) under %s\n",
                 soundFontFolder.c_str());
    return false;
  }
  auto synth = std::make_unique<TMidiSynth>();
  std::string error;
  if (!synth->Open(font, sound.Rate(), error)) {
    std::fprintf(stderr, "Tarvelle: music is off: %s\n", error.c_str());
    return false;
  }
  sound_ = &sound;
  synth_ = std::move(synth);
  {
    TAudioLock lock(*sound_);
    sound_->Mixer().SetMusic(synth_.get());
    sound_->Mixer().SetMusicGain(1.0f);
  }
  SetSearchFolder(folder);
  Enabled = true;
  return true;
}

void TDXMusic::SetSearchFolder(const std::string& folder) {
  folder_ = folder;
  if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
}

bool TDXMusic::Load(const std::string& fileName) {
  if (!Enabled || !synth_) return false;
  {
    TAudioLock lock(*sound_);
    synth_->SetSong(nullptr);  // the previous piece goes first
  }
  pieceName_.clear();
  held_ = false;
  auto song = std::make_shared<TMidiSong>();
  std::string error;
  if (!LoadMidiFile(folder_ + fileName, sound_->Rate(), *song, error)) return false;
  TAudioLock lock(*sound_);
  synth_->SetSong(std::move(song));
  pieceName_ = fileName;
  return true;
}

void TDXMusic::Play() {
  if (!Enabled || !synth_ || !synth_->Song()) {
    Stop();
    return;
  }
  TAudioLock lock(*sound_);
  synth_->Silence();
  PausePosition = 0;
  held_ = false;
  synth_->Start(0);
  Playing = true;
}

void TDXMusic::Stop() {
  if (!Enabled || !synth_) return;
  TAudioLock lock(*sound_);
  synth_->Silence();
  held_ = false;
  Playing = false;
}

void TDXMusic::Pause() {
  if (!Playing || !synth_) return;
  TAudioLock lock(*sound_);
  PausePosition = std::max<uint32_t>(synth_->Position(), 1);
  held_ = held_ || synth_->Active();  // a second Pause keeps the held notes
  synth_->Hold();
}

void TDXMusic::Resume() {
  if (!synth_ || !synth_->Song()) return;
  TAudioLock lock(*sound_);
  if (held_ && PausePosition == std::max<uint32_t>(synth_->Position(), 1)) {
    synth_->Continue();  // the held notes sound on exactly where they stopped
  } else {
    synth_->Start(PausePosition);  // out of range starts from the beginning
  }
  held_ = false;
  Playing = true;
  PausePosition = 0;
}

void TDXMusic::SetVolume(int32_t hundredths) {
  if (!Enabled || !synth_) return;
  TAudioLock lock(*sound_);
  sound_->Mixer().SetMusicGain(DecibelGain(hundredths));
}

void TDXMusic::Shutdown() {
  if (synth_ && sound_) {
    TAudioLock lock(*sound_);
    if (sound_->Mixer().Music() == synth_.get()) sound_->Mixer().SetMusic(nullptr);
  }
  synth_.reset();
  sound_ = nullptr;
  pieceName_.clear();
  Enabled = false;
  Playing = false;
  PausePosition = 0;
  held_ = false;
}

bool TDXMusic::Loaded() const {
  return synth_ && synth_->Song();
}

uint32_t TDXMusic::Position() {
  if (!synth_) return 0;
  TAudioLock lock(*sound_);
  return synth_->Position();
}

uint32_t TDXMusic::PieceLength() const {
  return synth_ && synth_->Song() ? synth_->Song()->Length : 0;
}
