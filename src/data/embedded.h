#pragma once
#include <cstddef>
#include <span>

// A file carried inside the executable.
struct TEmbeddedFile {
  const char* Name;  // base name, e.g. "DragonR.png"
  const unsigned char* Data;
  size_t Size;
};

// The pictures of the image catalogues (data/images/*.png).
std::span<const TEmbeddedFile> EmbeddedImages();
// The stored waves of the sound catalogue (data/waves/*.wav).
std::span<const TEmbeddedFile> EmbeddedWaves();
// The catalogue manifests (data/*.manifest), as text.
std::span<const TEmbeddedFile> EmbeddedManifests();
// The launcher window's picture (data/launcher/*.png).
std::span<const TEmbeddedFile> EmbeddedLauncher();
