#include "media/image_catalogue.h"

#include <string>

#include "media/image_decode.h"

namespace {

const TEmbeddedFile* FindPicture(std::span<const TEmbeddedFile> pictures, const std::string& file) {
  for (const TEmbeddedFile& f : pictures)
    if (file == f.Name) return &f;
  return nullptr;
}

TSurface LoadPicture(const TManifestRow& row, std::span<const TEmbeddedFile> pictures) {
  const std::string file = row.Name + ".png";
  const TEmbeddedFile* f = FindPicture(pictures, file);
  if (!f) throw EImageLoadError("Picture '" + file + "' is missing from the program");
  auto image = DecodeImage(f->Data, f->Size);
  if (!image) throw EImageLoadError("Picture '" + file + "' cannot be decoded");
  TSurface& pic = image->Pixels;
  if (pic.Width() != row.PictureWidth || pic.Height() != row.PictureHeight)
    throw EImageLoadError("Picture '" + file + "' is " + std::to_string(pic.Width()) + "x" +
                          std::to_string(pic.Height()) + ", expected " +
                          std::to_string(row.PictureWidth) + "x" +
                          std::to_string(row.PictureHeight));
  if (!image->Alpha.empty() && row.KeySource == TKeySource::Value) {
    const uint32_t key = ColorToPixel(pic.Format(), row.Key);
    for (int y = 0; y < pic.Height(); ++y)
      for (int x = 0; x < pic.Width(); ++x)
        if (image->Alpha[static_cast<size_t>(y) * pic.Width() + x] < 128) pic.SetPixel(x, y, key);
  }
  return std::move(pic);
}

}  // namespace

void LoadCatalogue(TDXImageList& list, std::string_view listName,
                   std::span<const TManifestRow> rows, std::span<const TEmbeddedFile> pictures) {
  for (const TManifestRow& row : rows) {
    if (row.List != listName) continue;
    TPictureCollectionItem& item = list.Add(row.Name);
    item.PatternWidth = row.PatternWidth;
    item.PatternHeight = row.PatternHeight;
    item.Transparent = row.Transparent;
    item.SystemMemory = row.SystemMemory;
    if (row.KeySource == TKeySource::Value) item.SetTransparentColor(row.Key);
    if (row.Source == TPictureSource::Embedded) item.SetPicture(LoadPicture(row, pictures));
  }
}

void LoadGameImages(TDXImageList& imageList, TDXImageList& foodImg) {
  const std::vector<TManifestRow> rows = ParseImageManifest(EmbeddedImageManifest());
  if (rows.empty()) throw EImageLoadError("The image manifest is missing from the program");
  LoadCatalogue(imageList, "ImageList", rows, EmbeddedImages());
  LoadCatalogue(foodImg, "FoodImg", rows, EmbeddedImages());
}

TSurface MirroredPicture(const TSurface& picture) {
  TSurface out(picture.Width(), picture.Height(), picture.Format());
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x)
      out.SetPixel(picture.Width() - 1 - x, y, picture.GetPixel(x, y));
  return out;
}

void MirrorSprites(TDXImageList& imageList) {
  for (const char* base : {"Dragon", "Monster1", "Monster2", "Monster3"}) {
    TPictureCollectionItem& right = imageList.Find(std::string(base) + "R");
    TPictureCollectionItem& left = imageList.Find(std::string(base) + "L");
    left.SetPicture(MirroredPicture(right.Picture()));
    left.SetTransparentColor(right.TransparentColor());
  }
}
