#include "core/sound.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "core/globals.h"

// Defined together so that they go in this order: the player and the catalogue let go of the
// mixer before the device closes.
TDXSound DXSound1;
TDXWaveList DXWaveList;
TDXMusic MusicPlayer;

bool SoundAvailable = false;
bool MusicAvailable = false;

namespace {
int levelMusic = 0;
}  // namespace

int32_t SoundVolumeFor(int32_t sfxVol) {
  if (sfxVol <= 0) return -10000;
  if (sfxVol >= 10) return 0;
  return -5000 + sfxVol * 500;
}

void InitSound(std::unique_ptr<IAudioDevice> device) {
  ShutdownSound();
  try {
    // The catalogue is there even without a device; its items then play nothing.
    if (DXWaveList.Count() == 0) DXWaveList.LoadEmbedded();
    if (!device) device = CreateSystemAudioDevice();
    if (!DXSound1.Initialize(std::move(device))) {
      std::fprintf(stderr, "Tarvelle: sound and music are off: %s\n", DXSound1.Error().c_str());
      return;
    }
    DXWaveList.Bind(&DXSound1);
    SoundAvailable = true;
    MusicAvailable = MusicPlayer.Initialize(DXSound1, G.ProgramFolder + "Music/");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Tarvelle: sound and music are off: %s\n", e.what());
    ShutdownSound();
  }
}

void ShutdownSound() {
  MusicPlayer.Shutdown();
  DXWaveList.Bind(nullptr);
  DXSound1.Finalize();
  SoundAvailable = false;
  MusicAvailable = false;
}

void PlaySound(const std::string& name) {
  PlaySoundPanned(name, 0);
}

void PlaySoundPanned(const std::string& name, int32_t pan) {
  if (!SoundAvailable || G.SFXVol <= 0) return;
  TWaveCollectionItem& item = DXWaveList.Find(name);
  item.Volume = SoundVolumeFor(G.SFXVol);
  item.Pan = pan;
  item.Play();
}

void PlaySoundAt(const std::string& name, int column, int row) {
  if (!SoundAvailable || G.SFXVol <= 0) return;
  const int dc = G.DragonColumn, dr = G.DragonRow;
  const int w = G.GridCols, h = G.GridRows;
  const int32_t v = SoundVolumeFor(G.SFXVol);
  // 4 at the Dragon's cell, falling toward 1 at the far corner.
  const float dist2 = static_cast<float>((column - dc) * (column - dc) + (row - dr) * (row - dr));
  const float f = (1.0f - std::sqrt(dist2 / static_cast<float>(w * w + h * h))) * 3.0f + 1.0f;
  const int32_t scaled = static_cast<int32_t>(std::nearbyint(static_cast<double>(f) * (v + 4500)));
  int32_t pan = static_cast<int32_t>(
      std::nearbyint(static_cast<double>(std::abs(dc - column)) / w * 10000.0));
  if (column < dc) pan = -pan;
  TWaveCollectionItem& item = DXWaveList.Find(name);
  item.Volume = scaled / 4 - 4500;
  item.Pan = pan;
  item.Play();
}

void ApplySoundVolume() {
  if (!SoundAvailable) return;
  const int32_t v = SoundVolumeFor(G.SFXVol);
  for (int i = 0; i < DXWaveList.Count(); ++i) DXWaveList.Item(i).Volume = v;
}

void PlayMusic(const std::string& fileName) {
  MusicPlayer.Load(fileName);
  MusicPlayer.Play();
}

void PlayNextLevelMusic() {
  levelMusic = levelMusic % 2 + 1;
  PlayMusic(std::to_string(levelMusic) + ".mid");
}

void ApplyMusicVolume() {
  if (!MusicAvailable) return;
  MusicPlayer.Enabled = G.MusVol != 0;
  MusicPlayer.SetVolume(G.MusVol * 500 - 5000);
}

void SetMusicVolume(uint16_t musVol) {
  const uint16_t old = G.MusVol;
  if (musVol == old) return;
  G.MusVol = musVol;
  if (musVol == 0) MusicPlayer.Stop();
  ApplyMusicVolume();
  if (old == 0) PlayMusic("intro.mid");
}
