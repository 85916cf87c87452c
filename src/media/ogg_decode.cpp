// The one place the Ogg Vorbis decoder (stb_vorbis) is compiled.
#include "media/ogg_decode.h"

#include <cstdlib>

#include <stb/stb_vorbis.h>

bool DecodeOggFile(const std::string& path, TOggSound& sound) {
  int channels = 0, rate = 0;
  short* samples = nullptr;
  const int frames = stb_vorbis_decode_filename(path.c_str(), &channels, &rate, &samples);
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
