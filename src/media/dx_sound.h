#pragma once
#include <memory>
#include <string>

#include "media/mixer.h"
#include "platform/audio_device.h"

// The game's sound device: one output at 22050 samples per second, 16 bits, stereo, fed by a
// mixer of sound buffers and music.
class TDXSound {
 public:
  static constexpr int kRate = 22050;

  TDXSound() = default;
  TDXSound(const TDXSound&) = delete;
  TDXSound& operator=(const TDXSound&) = delete;
  ~TDXSound() { Finalize(); }

  // Opens the device (finalizing first); false, with Error() saying why, when it can't.
  bool Initialize(std::unique_ptr<IAudioDevice> device);
  void Finalize();
  bool Initialized() const { return initialized_; }
  std::string Error() const { return error_; }

  int Rate() const { return kRate; }
  TMixer& Mixer() { return mixer_; }
  IAudioDevice* Device() { return device_.get(); }

  // Keeps the mixer from running while the game changes it.
  void Lock();
  void Unlock();

 private:
  std::unique_ptr<IAudioDevice> device_;
  TMixer mixer_;
  bool initialized_ = false;
  std::string error_;
};

// Holds the device lock for a scope.
class TAudioLock {
 public:
  explicit TAudioLock(TDXSound& sound) : sound_(sound) { sound_.Lock(); }
  ~TAudioLock() { sound_.Unlock(); }
  TAudioLock(const TAudioLock&) = delete;
  TAudioLock& operator=(const TAudioLock&) = delete;

 private:
  TDXSound& sound_;
};
