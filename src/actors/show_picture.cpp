#include "actors/show_picture.h"

#include "actors/sprite_engine.h"
#include "core/random.h"
#include "media/image_list.h"

TImageSprite* ShowPicture(TSpriteEngine& root, TDXImageList& images, int x, int y,
                          std::string_view imageName, double framesPerSecond) {
  TPictureCollectionItem& image = images.Find(imageName);
  auto* sprite = new TImageSprite(&root);
  sprite->Image = &image;
  sprite->FrameCount = image.PatternCount();
  sprite->FrameLoop = true;
  sprite->FrameSpeed = framesPerSecond * 0.001;
  sprite->FramePos = Random(2);
  sprite->X = x;
  sprite->Y = y - image.Height() / 2;
  return sprite;
}
