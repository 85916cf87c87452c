// The body every monster shares: placement, facing, the hop and the decision clock.
#include <string>

#include "actors/actor_images.h"
#include "actors/dragon.h"
#include "actors/monsters.h"
#include "actors/pond.h"
#include "core/globals.h"
#include "core/random.h"
#include "core/sound.h"
#include "media/image_item.h"

TEnemy::TEnemy(int32_t column, int32_t row, const char* picture)
    : TImageSprite(&SpriteRoot()),
      LeftImageName(std::string(picture) + "L"),
      RightImageName(std::string(picture) + "R"),
      JumpSoundName("MJump") {
  Face(true);
  if (Image) {
    Width = Image->Width();
    Height = Image->Height();
    FrameCount = Image->PatternCount();
  }
  FrameLoop = true;
  FrameSpeed = 0.002;
  FramePos = Random(2);
  JitterX = static_cast<int32_t>(Random(3));
  if (Random(2) == 0) JitterX = -JitterX;
  JitterY = static_cast<int32_t>(Random(3));
  if (Random(2) == 0) JitterY = -JitterY;
  PlaceAt(column, row);
  Face(G.GridCols / 2 >= Column);  // a monster in the left half looks left
  Sinking = false;
  LastDecision = G.LevelTicks;
  JumpStart = 0;
}

int32_t TEnemy::StandX(int32_t column) const {
  return CellW() * (column - 1) + (CellW() - Width) / 2 + JitterX;
}

int32_t TEnemy::StandY(int32_t row) const {
  return 20 + CellH() * (row - 1) + CellH() / 2 - Height + JitterY;
}

void TEnemy::PlaceAt(int32_t column, int32_t row) {
  Column = column;
  Row = row;
  X = StandX(column);
  Y = StandY(row);
}

void TEnemy::SetTarget(int32_t column, int32_t row) {
  LeavePad(Column, Row);
  TargetColumn = column;
  TargetRow = row;
  JumpToX = StandX(column);
  JumpToY = StandY(row);
}

void TEnemy::Face(bool left) {
  FacingLeft = left;
  Image = ActorImage(left ? LeftImageName.c_str() : RightImageName.c_str());
}

void TEnemy::Hop(int32_t dx, int32_t dy) {
  if (JumpStart != 0) return;
  if (dx < 0) Face(true);
  if (dx > 0) Face(false);
  if ((dx < 0 && Column == 1) || (dx > 0 && Column == G.GridCols) || (dy < 0 && Row == 1) ||
      (dy > 0 && Row == G.GridRows))
    return;
  if (dx == 0 && dy == 0) {
    Face(Random(2) == 1);
    return;
  }
  JumpFromX = X;
  JumpFromY = Y;
  JumpStart = G.LevelTicks;
  SetTarget(Column + dx, Row + dy);
  PlaySoundAt(JumpSoundName, Column, Row);
}

// The hop takes 250 ms like the Dragon's: straight in x with an arc of half the distance for a
// sideways hop, straight in y for a vertical one.
void TEnemy::HopStep() {
  const int32_t t = G.LevelTicks - JumpStart;
  if (t >= 250) {
    X = JumpToX;
    Y = JumpToY;
    JumpStart = 0;
    Column = TargetColumn;
    Row = TargetRow;
    LastDecision = G.LevelTicks;
    return;
  }
  if (Column != TargetColumn) {
    X = JumpFromX + (JumpToX - JumpFromX) * t / 250;
    if (JumpToX != JumpFromX) {
      const int32_t h = JumpToX > JumpFromX ? JumpToX - JumpFromX : JumpFromX - JumpToX;
      Y = t <= 125 ? JumpFromY - h * t / 250 : JumpFromY - h * (250 - t) / 250;
    }
  }
  if (Row != TargetRow) Y = JumpFromY + (JumpToY - JumpFromY) * t / 250;
}

void TEnemy::MoveSelf(int32_t moveCount) {
  // A standing monster whose pad is gone sinks, whatever the game is doing.
  if (!Sinking && JumpStart == 0 && PadOf(Column, Row).Size == 0) StartSinking();
  const TGameState s = G.GameState;
  if (s != gsPlaying && s != gsDying && s != gsDemo) return;
  if (Sinking) {
    DrawSinking();
    return;
  }
  if (JumpStart != 0) {
    HopStep();
  } else if (G.LevelTicks - LastDecision > 400) {
    Decide();
    LastDecision = G.LevelTicks;
  }
  TImageSprite::MoveSelf(moveCount);
}
