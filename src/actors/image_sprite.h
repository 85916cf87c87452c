#pragma once
#include "actors/sprite.h"

class TPictureCollectionItem;

// A sprite drawn from an image item, with frame animation. Every actor derives from it.
class TImageSprite : public TSprite {
 public:
  explicit TImageSprite(TSprite* parent, int32_t z = 0) : TSprite(parent, z) {}

  // Draws pattern FirstFrame + trunc(FramePos), centred on the sprite's rectangle.
  void DrawSelf() override;
  // Advances FramePos by FrameSpeed * moveCount, wrapping or stopping at the ends.
  void MoveSelf(int32_t moveCount) override;

  int32_t FrameCount = 0;
  bool FrameLoop = false;
  double FramePos = 0;
  double FrameSpeed = 0;  // frames per millisecond
  int32_t FirstFrame = 0;
  TPictureCollectionItem* Image = nullptr;
};
