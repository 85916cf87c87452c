// The numbers that rise over the Dragon when points are scored.
#include "actors/actor_images.h"
#include "actors/dragon.h"
#include "actors/effects.h"
#include "core/globals.h"
#include "core/random.h"
#include "media/image_item.h"

void TTimeProcess::Start(int32_t duration) {
  StartTime = G.LevelTicks;
  Duration = duration;
  Done = false;
}

void TTimeProcess::Update() {
  Elapsed = G.LevelTicks - StartTime;
  if (Elapsed < 0) Elapsed = 0;
  if (Elapsed >= Duration) {
    Elapsed = Duration;
    StartTime = 0;
    Done = true;
  }
}

int32_t TTimeProcess::Lerp(int32_t a, int32_t b) const {
  if (Duration <= 0) return b;
  return a + (b - a) * Elapsed / Duration;
}

void TScoreUp::Start(int32_t points) {
  // Five digits are all a pop-up holds; a larger award shows as 99999.
  if (points > 99999) points = 99999;
  DigitCount = 0;
  while (points > 0) {
    Digits[++DigitCount] = points % 10;
    points /= 10;
  }
  Active = true;
  TPictureCollectionItem* digits = ActorImage("SNums");
  const int32_t pw = digits ? digits->Width() : 0;
  int32_t dragonX = 0, dragonY = 0, dragonWidth = 0;
  if (Dragon) {
    dragonX = Dragon->X;
    dragonY = Dragon->Y;
    dragonWidth = Dragon->Image ? Dragon->Image->Width() : Dragon->Width;
  }
  FromX = dragonX + (dragonWidth - pw * DigitCount) / 2;
  FromY = dragonY - pw;
  ToX = FromX;
  ToY = FromY - 40 - static_cast<int32_t>(Random(10));
  Process.Start(1000);
}

TFallFrame TScoreUp::Step() {
  Process.Update();
  const TFallFrame f{Process.Lerp(FromX, ToX), Process.Lerp(FromY, ToY), Process.Lerp(255, 30)};
  if (Process.Done) Active = false;  // the last frame is still drawn
  return f;
}

void TScoreUp::DrawStep() {
  TFallFrame f = Step();
  TSurface* surface = EffectsSurface();
  TPictureCollectionItem* digits = ActorImage("SNums");
  if (!surface || !digits) return;
  const int32_t pw = digits->Width(), ph = digits->Height();
  for (int32_t i = DigitCount; i >= 1; --i) {
    const int32_t g = Digits[i];
    BlendImage(*surface, f.X, f.Y, *digits, {g * pw, 0, g * pw + pw - 1, ph - 1}, f.Level);
    f.X += pw;
  }
}
