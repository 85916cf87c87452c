#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A whole Ogg Vorbis file decoded to 16-bit samples, channels interleaved.
struct TOggSound {
  int Channels = 0;
  int Rate = 0;
  std::vector<int16_t> Samples;
  size_t Frames() const { return Channels > 0 ? Samples.size() / size_t(Channels) : 0; }
};

// Reads and decodes the file at path; false when it can't be read or is no Ogg Vorbis.
bool DecodeOggFile(const std::string& path, TOggSound& sound);
