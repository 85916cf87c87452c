#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Where an item's picture comes from.
enum class TPictureSource { Embedded, Pack, Mirror, None };
// How an item's colour key is given.
enum class TKeySource { None, Value, Mirror };

// One line of the image manifest (data/images.manifest).
struct TManifestRow {
  std::string List;  // "ImageList" or "FoodImg"
  std::string Name;
  TPictureSource Source = TPictureSource::None;
  int32_t PictureWidth = 0, PictureHeight = 0;  // for embedded pictures
  std::string MirrorOf;                         // for mirrored pictures
  int32_t PatternWidth = 0, PatternHeight = 0;
  TKeySource KeySource = TKeySource::None;
  uint32_t Key = 0;  // colour value 0x00BBGGRR
  bool Transparent = false;
  bool SystemMemory = false;
};

// A line of the manifest that cannot be read; the message gives its number.
class EManifestError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the manifest text: '#' starts a comment, blank lines are skipped.
std::vector<TManifestRow> ParseImageManifest(std::string_view text);

// The manifest carried in the executable.
std::string_view EmbeddedImageManifest();
