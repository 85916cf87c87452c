// The picture pack "TvFree.dat" and its decoders (PNG and BMP through stb_image, JPEG through
// libjpeg): any file loads its water pictures or leaves the water plain, and every entry
// decodes to a picture of the size its header declares, or is refused.
#include <string>

#include "core/globals.h"
#include "fuzz/fuzz_target.h"
#include "game/playfield.h"
#include "media/image_decode.h"
#include "media/jpeg_loader.h"

namespace {

void CheckPicture(const uint8_t* data, size_t size) {
  int w = 0, h = 0;
  const bool sized = ImageSize(data, size, w, h);
  const auto image = DecodeImage(data, size);
  if (!image) return;
  const TSurface& s = image->Pixels;
  fuzz::Check(sized && s.Width() == w && s.Height() == h, "decoded size differs from header");
  fuzz::Check(w > 0 && h > 0 && w <= 8192 && h <= 8192, "picture size out of bounds");
  fuzz::Check(image->Alpha.empty() || image->Alpha.size() == size_t(w) * h, "alpha size");
}

uint32_t Offset(const uint8_t* data, int i) {
  const uint8_t* p = data + 4 * i;
  return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24);
}

}  // namespace

TARVELLE_FUZZ_TARGET(picture_pack) {
  const std::string pack = fuzz::ScratchFolder() + "TvFree.dat";
  fuzz::WriteFile(pack, data, size);
  TDXImageList list;
  for (const char* name : {"Water1", "Water2", "LevScr", "LevScr0", "Other"}) list.Add(name);
  G.WaterLoaded = false;
  const bool loaded = LoadWaterPictures(list, pack);
  fuzz::Check(loaded == (list.Find("Water1").Width() > 0), "WaterLoaded without a picture");
  G.WaterLoaded = false;

  // The entries the game does not read must not harm it either.
  TJPEGLoader loader;
  try {
    loader.Open(pack);
  } catch (const std::ios_base::failure&) {
    return;
  }
  for (int i = 2; i < TJPEGLoader::kOffsetCount; ++i) loader.Load(i, "Other", list);
  loader.Close();

  // Each entry straight through the decoders, which must agree with their own size reading.
  for (int i = 0; i + 1 < TJPEGLoader::kOffsetCount; ++i) {
    const uint32_t from = Offset(data, i), to = Offset(data, i + 1);
    if (from < to && to <= size) CheckPicture(data + from, to - from);
  }
}
