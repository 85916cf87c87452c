// The zooming caption ("Complete", "GameOver").
#include "actors/actor_images.h"
#include "actors/effects.h"
#include "core/globals.h"
#include "media/image_item.h"

TRotatedImage::TRotatedImage(const std::string& imageName, int32_t duration, int32_t turns,
                             int32_t alphaFrom, int32_t alphaTo)
    : ImageName(imageName),
      TotalAngle(turns * 256),
      AlphaFrom(alphaFrom),
      AlphaTo(alphaTo),
      SavedState(G.GameState),
      StartTime(G.LevelTicks),
      Duration(duration) {
  G.GameState = gsTransition;
  if (TPictureCollectionItem* image = ActorImage(imageName.c_str())) {
    FullWidth = image->Width();
    FullHeight = image->Height();
  }
}

TRotateFrame TRotatedImage::Step() {
  int32_t t = G.LevelTicks - StartTime;
  if (t < 0) t = 0;
  if (!finished_ && t < Duration) {
    return {FullWidth * t / Duration, FullHeight * t / Duration, TotalAngle * t / Duration,
            AlphaFrom + (AlphaTo - AlphaFrom) * t / Duration};
  }
  StartTime = 0;
  finished_ = true;
  return {FullWidth, FullHeight, 0, AlphaTo};
}

void TRotatedImage::DrawStep() {
  const TRotateFrame f = Step();
  TSurface* surface = EffectsSurface();
  if (!surface) return;
  ActorImage(ImageName.c_str())
      ->DrawRotateAlpha(*surface, 320, 220, f.Width, f.Height, 0, 0.5, 0.5, f.Angle, f.Alpha);
}

void TRotatedImage::RestoreState() {
  G.GameState = SavedState;
}
