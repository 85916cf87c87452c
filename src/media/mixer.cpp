#include "media/mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

float DecibelGain(int32_t hundredths) {
  if (hundredths <= -10000) return 0.0f;
  if (hundredths >= 0) return 1.0f;
  return static_cast<float>(std::pow(10.0, hundredths / 2000.0));
}

void TVoice::Start(int32_t volume, int32_t pan) {
  Volume = volume;
  Pan = std::clamp(pan, -10000, 10000);
  const float gain = DecibelGain(Volume);
  // The side away from the balance is attenuated by the balance's amount.
  GainLeft = gain * DecibelGain(-std::max(Pan, 0));
  GainRight = gain * DecibelGain(-std::max(-Pan, 0));
  Position = 0;
  Playing = true;
}

TMixer::TMixer() {
  mix_.reserve(8192);
}

TVoice* TMixer::AddVoice(const TMixWave* wave) {
  voices_.push_back(std::make_unique<TVoice>());
  voices_.back()->Wave = wave;
  return voices_.back().get();
}

void TMixer::Clear() {
  voices_.clear();
}

void TMixer::Mix(int16_t* out, int frames) {
  const size_t n = static_cast<size_t>(frames) * 2;
  if (mix_.size() < n) mix_.resize(n);
  float* m = mix_.data();
  if (music_ && music_->Active()) {
    music_->Render(m, frames);
    for (size_t i = 0; i < n; ++i) m[i] *= musicGain_;
  } else {
    std::memset(m, 0, n * sizeof(float));
  }
  for (auto& vp : voices_) {
    TVoice& v = *vp;
    if (!v.Playing) continue;
    const TMixWave& w = *v.Wave;
    const int count = std::min(frames, w.Frames() - v.Position);
    const float* s = w.Samples.data() + static_cast<size_t>(v.Position) * w.Channels;
    if (w.Channels == 1) {
      for (int i = 0; i < count; ++i) {
        m[2 * i] += s[i] * v.GainLeft;
        m[2 * i + 1] += s[i] * v.GainRight;
      }
    } else {
      for (int i = 0; i < count; ++i) {
        m[2 * i] += s[2 * i] * v.GainLeft;
        m[2 * i + 1] += s[2 * i + 1] * v.GainRight;
      }
    }
    v.Position += std::max(count, 0);
    if (v.Position >= w.Frames()) v.Playing = false;
  }
  for (size_t i = 0; i < n; ++i) {
    const float x = std::clamp(m[i], -1.0f, 1.0f) * 32767.0f;
    out[i] = static_cast<int16_t>(std::lrint(x));
  }
}
