// The warning caption that falls and fades ("HurryUp", "Hungry").
#include "actors/actor_images.h"
#include "actors/effects.h"
#include "core/globals.h"
#include "media/image_item.h"

namespace {
constexpr int32_t FallDuration = 2500;
}

void TFallingImage::Start(const std::string& imageName) {
  ImageName = imageName;
  StartTime = G.LevelTicks;
  Active = true;
}

bool TFallingImage::Step(TFallFrame& frame) {
  if (!Active) return false;
  const TGameState s = G.GameState;
  if (s != gsPlaying && s != gsPaused && s != gsExitPrompt && s != gsDemo) {
    Active = false;  // leaving play cancels it
    return false;
  }
  int32_t t = G.LevelTicks - StartTime;
  if (t < 0) t = 0;
  if (t >= FallDuration) {
    t = FallDuration;
    Active = false;  // the last frame is still drawn
  }
  TPictureCollectionItem* image = ActorImage(ImageName.c_str());
  const int32_t width = image ? image->Width() : 0;
  frame = {(640 - width) / 2, 80 + t * 320 / FallDuration, 255 - t * 215 / FallDuration};
  return true;
}

void TFallingImage::DrawStep() {
  TFallFrame f;
  if (!Step(f)) return;
  TSurface* surface = EffectsSurface();
  TPictureCollectionItem* image = ActorImage(ImageName.c_str());
  if (!surface || !image) return;
  BlendImage(*surface, f.X, f.Y, *image, {0, 0, image->Width() - 1, image->Height() - 1}, f.Level);
}
