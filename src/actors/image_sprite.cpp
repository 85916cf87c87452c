#include "actors/image_sprite.h"

#include <cmath>

#include "actors/sprite_engine.h"
#include "media/image_item.h"

void TImageSprite::DrawSelf() {
  if (!Image || !Engine || !Engine->Surface) return;
  const TRect r = GetRect();
  const int32_t left = r.Left + (Width - Image->Width()) / 2;
  const int32_t top = r.Top + (Height - Image->Height()) / 2;
  Image->Draw(*Engine->Surface, left, top, FirstFrame + static_cast<int32_t>(std::trunc(FramePos)));
}

void TImageSprite::MoveSelf(int32_t moveCount) {
  if (FrameCount < 2) return;
  FramePos += FrameSpeed * moveCount;
  const double n = FrameCount;
  if (FrameLoop) {
    double r = FramePos - std::trunc(FramePos / n) * n;
    if (r < 0) r += n;
    // A tiny negative remainder plus n can round up to n itself.
    if (r >= n) r = 0;
    FramePos = r;
  } else {
    if (FramePos >= n) {
      FramePos = n - 1;
      FrameSpeed = 0;
    }
    if (FramePos < 0) {
      FramePos = 0;
      FrameSpeed = 0;
    }
  }
}
