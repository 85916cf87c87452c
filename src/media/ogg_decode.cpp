// The one place the Ogg Vorbis decoder (stb_vorbis) is compiled.
#include "media/ogg_decode.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>

#include <stb/stb_vorbis.h>

#include "platform/paths.h"

bool DecodeOggFile(const std::string& path, TOggSound& sound) {
  // Read here rather than by the decoder, so that a path in UTF-8 opens on every system.
  std::ifstream in(paths::PathOf(path), std::ios::binary);
  if (!in) return false;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.empty() || bytes.size() > size_t(std::numeric_limits<int>::max())) return false;
  int channels = 0, rate = 0;
  short* samples = nullptr;
  const int frames = stb_vorbis_decode_memory(reinterpret_cast<const unsigned char*>(bytes.data()),
                                              int(bytes.size()), &channels, &rate, &samples);
  if (frames <= 0 || !samples || channels <= 0) {
    std::free(samples);
    return false;
  }
  sound.Channels = channels;
  sound.Rate = rate;
  sound.Samples.assign(samples, samples + size_t(frames) * size_t(channels));
  std::free(samples);
  return true;
}
