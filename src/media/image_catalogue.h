#pragma once
#include <span>
#include <stdexcept>
#include <string_view>

#include "data/embedded.h"
#include "media/image_list.h"
#include "media/image_manifest.h"

// A picture the catalogue needs is missing, unreadable or of the wrong size.
class EImageLoadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Adds the manifest's items of one list ("ImageList" or "FoodImg") to `list`, each with the
// picture <name>.png from `pictures` where the manifest gives it one. Raises EImageLoadError
// naming the first picture that is missing, cannot be decoded, or differs in size from its
// manifest row. Pixels of a picture with an alpha channel that are mostly transparent take
// the item's colour key.
void LoadCatalogue(TDXImageList& list, std::string_view listName,
                   std::span<const TManifestRow> rows, std::span<const TEmbeddedFile> pictures);

// Builds the game's two catalogues from the manifest and pictures carried in the executable.
void LoadGameImages(TDXImageList& imageList, TDXImageList& foodImg);

// The picture mirrored left to right.
TSurface MirroredPicture(const TSurface& picture);

// Gives DragonL, Monster1L, Monster2L and Monster3L the mirrored picture and the colour key
// of their "R" twins. Mirroring the whole strip reverses the order of the patterns.
void MirrorSprites(TDXImageList& imageList);
