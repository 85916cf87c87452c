#pragma once
#include <span>
#include <string>
#include <vector>

#include "data/embedded.h"
#include "media/dx_sound.h"
#include "media/mixer.h"
#include "media/wave.h"

class TDXWaveList;

// A named sound of the catalogue: its stored wave, the volume and balance the next play uses,
// and the sound buffers that share the wave.
class TWaveCollectionItem {
 public:
  std::string Name;
  TWave Wave;
  bool Looped = false;
  int MaxPlayingCount = 0;  // 0 = no limit on overlapping copies
  int32_t Volume = 0;       // hundredths of a decibel
  int32_t Pan = 0;          // -10000 .. 10000

  // Starts the sound once: on the first buffer that is not playing, or on a new copy when all
  // are busy. Does nothing while the list has no initialised device.
  void Play();
  const std::vector<TVoice*>& Buffers() const { return buffers_; }

 private:
  friend class TDXWaveList;
  TDXWaveList* owner_ = nullptr;
  TMixWave mix_;
  std::vector<TVoice*> buffers_;
};

// The sound catalogue, bound to the sound device that plays it.
class TDXWaveList {
 public:
  TDXWaveList() = default;
  TDXWaveList(const TDXWaveList&) = delete;
  TDXWaveList& operator=(const TDXWaveList&) = delete;
  ~TDXWaveList() { Clear(); }

  // Fills the catalogue with the waves carried in the program.
  void LoadEmbedded() { Load(EmbeddedWaves()); }
  void Load(std::span<const TEmbeddedFile> files);
  // Prepares every wave for the device and plays on it from now on (nullptr unbinds).
  void Bind(TDXSound* sound);
  TDXSound* Sound() const { return sound_; }
  void Clear();

  int Count() const { return static_cast<int>(items_.size()); }
  TWaveCollectionItem& Item(int i) { return *items_[i]; }
  // The item of that name, letter case ignored; throws "Wave '%s' not found".
  TWaveCollectionItem& Find(const std::string& name);

 private:
  void DropBuffers();
  std::vector<std::unique_ptr<TWaveCollectionItem>> items_;
  TDXSound* sound_ = nullptr;
};
