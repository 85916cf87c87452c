#pragma once
#include <cstdint>
#include <memory>
#include <vector>

// Gain factor of a volume in hundredths of a decibel (0 = full, -10000 or less = silence).
float DecibelGain(int32_t hundredths);

// A wave ready for mixing: float samples at the device rate, one or two channels interleaved.
struct TMixWave {
  int Channels = 1;
  std::vector<float> Samples;
  int Frames() const { return static_cast<int>(Samples.size()) / Channels; }
};

// One playing copy of a wave (a sound buffer): its volume and balance are fixed when it starts.
struct TVoice {
  const TMixWave* Wave = nullptr;
  int Position = 0;
  bool Playing = false;
  int32_t Volume = 0;  // hundredths of a decibel, 0 = full
  int32_t Pan = 0;     // -10000 (left only) .. 10000 (right only)
  float GainLeft = 1, GainRight = 1;

  // Rewinds and starts the copy once with the given volume and balance.
  void Start(int32_t volume, int32_t pan);
};

// Something that renders stereo music into the mix.
class IMusicSource {
 public:
  virtual ~IMusicSource() = default;
  // False while there is nothing to render (stopped or paused); Render is then not called.
  virtual bool Active() const = 0;
  // Writes frames stereo frames (interleaved, -1 .. 1) into out.
  virtual void Render(float* out, int frames) = 0;
};

// Mixes the sound buffers and the music into the device's 16-bit stereo stream. Everything but
// Mix is called with the device locked; Mix runs on the device's thread.
class TMixer {
 public:
  TMixer();
  // A new sound buffer for wave; it lives until Clear.
  TVoice* AddVoice(const TMixWave* wave);
  // Drops every sound buffer.
  void Clear();
  int VoiceCount() const { return static_cast<int>(voices_.size()); }

  void SetMusic(IMusicSource* music) { music_ = music; }
  IMusicSource* Music() const { return music_; }
  void SetMusicGain(float gain) { musicGain_ = gain; }
  float MusicGain() const { return musicGain_; }

  void Mix(int16_t* out, int frames);

 private:
  std::vector<std::unique_ptr<TVoice>> voices_;
  std::vector<float> mix_;
  IMusicSource* music_ = nullptr;
  float musicGain_ = 1;
};
