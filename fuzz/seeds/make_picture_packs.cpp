// Writes the seed picture packs of the picture_pack fuzz target: small packs of PNG, BMP and
// JPEG gradients, the formats the game reads. Build and run from the repository's root:
//   g++ -std=c++20 -O1 fuzz/seeds/make_picture_packs.cpp -o /tmp/make-packs && /tmp/make-packs
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

using TBytes = std::vector<uint8_t>;

TBytes Picture(char kind, int w, int h, int comp) {
  std::vector<uint8_t> raw;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      raw.insert(raw.end(), {uint8_t(x * 20), uint8_t(y * 30), uint8_t(90 + x * y)});
      if (comp == 4) raw.push_back(uint8_t(255 - x * 16));
    }
  TBytes out;
  auto sink = [](void* ctx, void* data, int size) {
    auto* v = static_cast<TBytes*>(ctx);
    v->insert(v->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
  };
  if (kind == 'p') stbi_write_png_to_func(sink, &out, w, h, comp, raw.data(), w * comp);
  if (kind == 'b') stbi_write_bmp_to_func(sink, &out, w, h, comp, raw.data());
  if (kind == 'j') stbi_write_jpg_to_func(sink, &out, w, h, comp, raw.data(), 80);
  return out;
}

// A pack of the entries with a correct offset table of six offsets.
void WritePack(const std::string& path, const std::vector<TBytes>& entries) {
  std::vector<uint32_t> offsets{24};
  for (const TBytes& e : entries) offsets.push_back(offsets.back() + uint32_t(e.size()));
  while (offsets.size() < 6) offsets.push_back(offsets.back());
  TBytes out;
  for (uint32_t o : offsets)
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(o >> (8 * i)));
  for (const TBytes& e : entries) out.insert(out.end(), e.begin(), e.end());
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(out.data(), 1, out.size(), f);
  std::fclose(f);
}

int main() {
  const std::string dir = "fuzz/corpus/picture_pack/";
  WritePack(dir + "png-bmp.pack", {Picture('p', 12, 8, 3), Picture('b', 9, 5, 3)});
  WritePack(dir + "jpeg-png-alpha.pack", {Picture('j', 16, 16, 3), Picture('p', 7, 3, 4)});
  WritePack(dir + "bmp-alpha-jpeg.pack", {Picture('b', 5, 4, 4), Picture('j', 9, 17, 3)});
  WritePack(dir + "one-entry.pack", {Picture('j', 8, 8, 3)});
  return 0;
}
