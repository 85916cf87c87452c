#include "media/wave.h"

#include <cstring>
#include <stdexcept>

namespace {

uint32_t Le32(const uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

float SampleAt(const TWave& w, int frame, int channel) {
  const size_t i = (static_cast<size_t>(frame) * w.Channels + channel) * (w.Bits / 8);
  if (w.Bits == 8) return (static_cast<int>(w.Data[i]) - 128) / 128.0f;
  return static_cast<int16_t>(Le16(&w.Data[i])) / 32768.0f;
}

}  // namespace

TWave ParseWave(std::span<const uint8_t> file, const std::string& name) {
  auto fail = [&](const char* why) { throw std::runtime_error("Wave '" + name + "': " + why); };
  if (file.size() < 12 || std::memcmp(file.data(), "RIFF", 4) != 0 ||
      std::memcmp(file.data() + 8, "WAVE", 4) != 0)
    fail("not a RIFF WAVE file");
  TWave wave;
  bool haveFormat = false, haveData = false;
  size_t pos = 12;
  while (pos + 8 <= file.size()) {
    const uint8_t* chunk = file.data() + pos;
    const size_t size = Le32(chunk + 4);
    if (size > file.size() - pos - 8) fail("chunk runs past the end of the file");
    const uint8_t* body = chunk + 8;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (size < 16) fail("format chunk too short");
      if (Le16(body) != 1) fail("not PCM");
      wave.Channels = Le16(body + 2);
      wave.Rate = static_cast<int>(Le32(body + 4));
      wave.Bits = Le16(body + 14);
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      wave.Data.assign(body, body + size);
      haveData = true;
    }
    pos += 8 + size + (size & 1);  // chunks are padded to an even length
  }
  if (!haveFormat || !haveData) fail("format or data chunk missing");
  if (wave.Channels < 1 || wave.Channels > 2 || (wave.Bits != 8 && wave.Bits != 16) ||
      wave.Rate <= 0)
    fail("unsupported sample format");
  return wave;
}

std::vector<float> ResampleWave(const TWave& wave, int rate) {
  const int inFrames = wave.Frames();
  const int ch = wave.Channels;
  if (inFrames == 0) return {};
  const int64_t outFrames = (static_cast<int64_t>(inFrames) * rate + wave.Rate - 1) / wave.Rate;
  std::vector<float> out(static_cast<size_t>(outFrames) * ch);
  const double step = static_cast<double>(wave.Rate) / rate;
  for (int64_t i = 0; i < outFrames; ++i) {
    const double x = i * step;
    const int a = static_cast<int>(x);
    const float t = static_cast<float>(x - a);
    const int b = a + 1 < inFrames ? a + 1 : a;
    for (int c = 0; c < ch; ++c) {
      const float s0 = SampleAt(wave, a, c), s1 = SampleAt(wave, b, c);
      out[static_cast<size_t>(i) * ch + c] = s0 + (s1 - s0) * t;
    }
  }
  return out;
}
