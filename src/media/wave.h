#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// An uncompressed PCM wave as stored in a RIFF file.
struct TWave {
  int Channels = 1;
  int Rate = 22050;  // samples per second
  int Bits = 16;     // 8 (unsigned) or 16 (signed)
  std::vector<uint8_t> Data;

  int BytesPerFrame() const { return Channels * Bits / 8; }
  int Frames() const { return static_cast<int>(Data.size()) / BytesPerFrame(); }
};

// Reads a RIFF WAVE file image; throws std::runtime_error on anything but 8- or 16-bit PCM
// with one or two channels.
TWave ParseWave(std::span<const uint8_t> file, const std::string& name);

// The wave as floating-point samples in -1 .. 1 at another rate (linear interpolation),
// channels interleaved as stored.
std::vector<float> ResampleWave(const TWave& wave, int rate);
