// A monster whose pad has gone under spins away in 1.5 s and is removed.
#include "actors/monsters.h"
#include "actors/pond.h"
#include "actors/sprite_engine.h"
#include "core/globals.h"
#include "core/sound.h"
#include "media/image_item.h"

namespace {
constexpr int32_t SinkDuration = 1500;
}

void TEnemy::StartSinking() {
  Sinking = true;
  JumpStart = 0;
  SinkAlphaFrom = 170;
  SinkAlphaTo = 5;
  SinkTurn = 512;
  SinkX = CellW() * (Column - 1) + CellW() / 2;
  SinkY = 20 + CellH() * (Row - 1) + CellH() / 2;
  Visible = false;
}

void TEnemy::DrawSinking() {
  if (IsDead) return;  // already gone; it only waits for the sweep
  if (JumpStart == 0) {
    JumpStart = G.LevelTicks;
    SinkSoundDone = false;
  }
  int32_t t = G.LevelTicks - JumpStart;
  if (t < 0) t = 0;
  if (t >= SinkDuration) {
    t = SinkDuration;
    JumpStart = 0;
  }
  if (PadOf(Column, Row).Size == 0) {
    if (Image && Engine && Engine->Surface) {
      const int32_t alpha = SinkAlphaFrom + (SinkAlphaTo - SinkAlphaFrom) * t / SinkDuration;
      int32_t angle = SinkTurn * t / SinkDuration;
      if (FacingLeft) angle = -angle;
      const int32_t w = Image->Width() - Image->Width() * t / SinkDuration;
      const int32_t h = Image->Height() - Image->Height() * t / SinkDuration;
      Image->DrawRotateAlpha(*Engine->Surface, SinkX, SinkY, w, h, 0, 0.5, 0.5, angle, alpha);
    }
  } else {
    JumpStart = 0;  // a pad grew back: the monster is gone all the same
  }
  if (t > 600 && !SinkSoundDone) {
    PlaySoundAt("Drown", Column, Row);
    SinkSoundDone = true;
  }
  if (JumpStart == 0) Kill();
}
