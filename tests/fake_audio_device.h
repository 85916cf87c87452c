#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/audio_device.h"

// An audio device that mixes only when a test pulls samples from it.
class TFakeAudioDevice : public IAudioDevice {
 public:
  explicit TFakeAudioDevice(bool present = true) : present_(present) {}
  bool Open(int rate, TMixFunction mix) override {
    if (!present_) return false;
    rate_ = rate;
    mix_ = std::move(mix);
    return true;
  }
  void Close() override { mix_ = nullptr; }
  void Lock() override {}
  void Unlock() override {}
  int Rate() const override { return rate_; }
  int BufferFrames() const override { return 256; }
  std::string Error() const override { return "no audio device (none in this test)"; }

  // Mixes frames stereo frames in device-sized blocks.
  std::vector<int16_t> Pull(int frames) {
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
    for (int done = 0; done < frames;) {
      const int n = std::min(256, frames - done);
      mix_(out.data() + 2 * done, n);
      done += n;
    }
    return out;
  }

 private:
  bool present_;
  int rate_ = 0;
  TMixFunction mix_;
};
