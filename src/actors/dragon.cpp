#include "actors/dragon.h"

#include <cmath>
#include <cstdlib>

#include "actors/actor_host.h"
#include "actors/actor_images.h"
#include "actors/effects.h"
#include "actors/monsters.h"
#include "core/globals.h"
#include "core/sound.h"
#include "media/image_item.h"

TDragon* Dragon = nullptr;

namespace {

constexpr int32_t HopTime = 250;
// Size of the shipped Dragon picture, used where no catalogue is loaded.
constexpr int32_t DefaultSize = 42;

bool InPlay() {
  return G.GameState == gsPlaying || G.GameState == gsDemo;
}

TPad* PadAt(int32_t column, int32_t row) {
  if (column < 1 || row < 1 || column > 20 || row > 20) return nullptr;
  return &G.Pads[column][row];
}

int32_t CellCentreX(int32_t column) {
  return CellW() * (column - 1) + CellW() / 2;
}
int32_t CellCentreY(int32_t row) {
  return 20 + CellH() * (row - 1) + CellH() / 2;
}

}  // namespace

TDragon::TDragon(TSprite* parent) : TImageSprite(parent) {
  Face(false);
  Width = Image ? Image->Width() : DefaultSize;
  Height = Image ? Image->Height() : DefaultSize;
  FrameCount = Image ? Image->PatternCount() : 1;
  FrameLoop = true;
  FrameSpeed = 0.002;
  Column = 1;
  Row = G.GridRows;
}

TDragon::~TDragon() {
  if (Dragon == this) Dragon = nullptr;
}

int32_t TDragon::StandX(int32_t column) const {
  return CellW() * (column - 1) + (CellW() - Width) / 2;
}

int32_t TDragon::StandY(int32_t row) const {
  return 20 + CellH() * (row - 1) + CellH() / 2 - Height + 3;
}

void TDragon::PlaceAt(int32_t column, int32_t row) {
  LeavePad(Column, Row);
  Column = column;
  Row = row;
  X = StandX(column);
  Y = StandY(row);
  G.DragonColumn = Column;
  G.DragonRow = Row;
}

void TDragon::SetTarget(int32_t column, int32_t row) {
  LeavePad(Column, Row);
  TargetColumn = column;
  TargetRow = row;
  JumpToX = StandX(column);
  JumpToY = StandY(row);
}

void TDragon::Face(bool left) {
  FacingLeft = left;
  Image = ActorImage(left ? "DragonL" : "DragonR");
}

void TDragon::AimCell(int32_t& column, int32_t& row) const {
  if (!InPlay()) {
    column = row = -10;
  } else if (JumpStart != 0) {
    column = TargetColumn;
    row = TargetRow;
  } else {
    column = Column;
    row = Row;
  }
}

void TDragon::RequestJump(int32_t dx, int32_t dy) {
  if (JumpStart != 0 || !InPlay()) return;
  if (dx < 0) Face(true);
  if (dx > 0) Face(false);
  if ((dx < 0 && Column == 1) || (dx > 0 && Column == G.GridCols) || (dy < 0 && Row == 1) ||
      (dy > 0 && Row == G.GridRows))
    return;
  JumpFromX = X;
  JumpFromY = Y;
  JumpStart = G.LevelTicks;
  PlaySound("Jump");
  SetTarget(Column + dx, Row + dy);
}

void TDragon::Hop(int32_t t) {
  if (t >= HopTime) {
    X = JumpToX;
    Y = JumpToY;
    JumpStart = 0;
    Column = TargetColumn;
    Row = TargetRow;
    G.DragonColumn = Column;
    G.DragonRow = Row;
    return;
  }
  if (Column != TargetColumn) {
    X = JumpFromX + (JumpToX - JumpFromX) * t / HopTime;
    if (JumpToX != JumpFromX) {
      // The arc rises to half the distance across at the middle of the hop.
      const int32_t h = std::abs(JumpToX - JumpFromX);
      Y = t <= HopTime / 2 ? JumpFromY - h * t / HopTime : JumpFromY - h * (HopTime - t) / HopTime;
    }
  }
  if (Row != TargetRow) Y = JumpFromY + (JumpToY - JumpFromY) * t / HopTime;
}

void TDragon::MoveSelf(int32_t moveCount) {
  if (!InPlay()) return;
  if (G.LevelTicks - LastEnergyTick > 200) {
    LastEnergyTick = G.LevelTicks;
    if (Energy > 0) {
      --Energy;
      if (Energy < 25 && G.LevelTicks - LastWarning > 400) {
        LastWarning = G.LevelTicks;
        PlaySound("NoEnergy");
        if (!FallingCaptionActive()) StartFallingCaption("Hungry");
      }
    }
  }
  if (JumpStart > 0) Hop(G.LevelTicks - JumpStart);
  TImageSprite::MoveSelf(moveCount);
  Collide();
}

void TDragon::HandleCollision(TSprite* other, bool& done) {
  auto* m = dynamic_cast<TEnemy*>(other);
  if (!m || m->Sinking) return;
  bool caught = false;
  if (JumpStart == 0 && m->JumpStart == 0) {
    caught = m->Column == Column && m->Row == Row;
  } else if (JumpStart != 0 && m->JumpStart != 0) {
    caught = (m->Row == Row && PathsCross(Column, TargetColumn, m->Column, m->TargetColumn)) ||
             (m->Column == Column && PathsCross(Row, TargetRow, m->Row, m->TargetRow));
  }
  if (!caught) return;
  G.GameState = gsCaught;
  done = true;
}

bool PathsCross(int32_t from, int32_t to, int32_t otherFrom, int32_t otherTo) {
  if (from == to || otherFrom == otherTo) return false;
  if ((from - to > 0) == (otherFrom - otherTo > 0)) return to == otherTo;
  return std::abs(to - otherTo) == 1;
}

uint16_t WornPeriod(uint16_t period, uint16_t maxSize) {
  // (1 - 12 / maxSize) * period, to the nearest whole number and ties to the even one, worked
  // out exactly: in floating point a half such as 451.5 can come out a hair below.
  const int64_t num = (int64_t{maxSize} - 12) * period;
  const int64_t q = num / maxSize, twiceRest = 2 * (num % maxSize);
  const bool up = twiceRest > maxSize || (twiceRest == maxSize && q % 2 == 1);
  return static_cast<uint16_t>(q + (up ? 1 : 0));
}

void LeavePad(int32_t column, int32_t row) {
  TPad* pad = PadAt(column, row);
  if (!pad) return;
  TPad& p = *pad;
  if (p.Kind != pkStepped || p.MaxSize == 0 || p.Size == 0) return;
  if (p.MaxSize <= 20) {
    p.Size = p.MaxSize = 0;
    p.Kind = pkWater;
    return;
  }
  p.Period = WornPeriod(p.Period, p.MaxSize);
  p.FullSince = 0;
  p.MaxSize = static_cast<uint16_t>(p.MaxSize - 12);
  if (p.MaxSize < p.Size) p.Size = p.MaxSize;
  p.Growing = false;
  p.PhaseStart =
      static_cast<int32_t>(G.LevelTicks - (int64_t{p.MaxSize} - p.Size) * p.Period / p.MaxSize);
}

void TDragon::StartDeath() {
  JumpStart = 0;
  DeathAngleBase = 0;
  switch (G.DeathReason) {
    case 0:
      DeathX = X;
      DeathY = Y;
      DeathAlphaFrom = 150;
      DeathAlphaTo = 5;
      DeathParam = DeathY - 400;
      break;
    case 3:
      DeathX = CellCentreX(Column);
      DeathY = Y + Height;
      DeathParam = 64;
      DeathTurnBack = !FacingLeft;
      break;
    default:
      DeathAlphaFrom = 150;
      DeathAlphaTo = 5;
      DeathParam = 384;
      DeathTurnBack = FacingLeft;
      DeathX = CellCentreX(Column);
      DeathY = CellCentreY(Row);
      if (G.DeathReason == 1) {
        // The pad grows back under the drowned Dragon 2.5 s later.
        if (TPad* p = PadAt(Column, Row)) {
          p->HoldEmpty = 2500;
          p->EmptySince = G.LevelTicks;
        }
      }
      break;
  }
  Visible = false;
}

void TDragon::DrawDeath() {
  const int32_t duration = G.DeathReason == 3 ? 1200 : 2000;
  if (JumpStart == 0) {
    JumpStart = G.LevelTicks;
    DeathSoundDone = false;
  }
  int32_t t = G.LevelTicks - JumpStart;
  if (t >= duration) {
    t = duration;
    JumpStart = 0;
  }
  int32_t angle = DeathParam * t / duration;
  if (DeathTurnBack) angle = -angle;
  angle += DeathAngleBase;
  const int32_t alpha = DeathAlphaFrom + (DeathAlphaTo - DeathAlphaFrom) * t / duration;
  const int32_t w = Width - Width * t / duration;
  const int32_t h = Height - Height * t / duration;
  TSurface* surface = Engine ? Engine->Surface : nullptr;
  const TPad* pad = PadAt(Column, Row);
  const bool padGone = !pad || pad->Size == 0;

  if (G.DeathReason == 0) {
    if (surface && Image)
      BlendImage(*surface, DeathX, DeathY + (DeathParam - DeathY) * t / duration, *Image,
                 {0, 0, Image->Width() - 1, Image->Height() - 1}, alpha);
  } else if (G.DeathReason == 3) {
    if (surface && Image)
      Image->DrawRotate(*surface, DeathX, DeathY, Width, Height, 0, 0.5, 1.0, angle);
    if (padGone && JumpStart != 0) {
      // The pad sank while the Dragon tipped over: it drowns, turning on the same way.
      G.DeathReason = 1;
      StartDeath();
      DeathTurnBack = !FacingLeft;
      DeathSoundDone = true;
      DeathAngleBase = angle;
      PlaySound("Splash");
      JumpStart = G.LevelTicks;
      return;
    }
  } else {
    if (padGone) {
      if (surface && Image)
        Image->DrawRotateAlpha(*surface, DeathX, DeathY, w, h, 0, 0.5, 0.5, angle, alpha);
    } else {
      JumpStart = 0;
    }
    if (G.DeathReason == 1 && t > 600 && !DeathSoundDone) {
      PlaySound("Drown");
      DeathSoundDone = true;
    }
  }

  if (JumpStart != 0) return;
  if (G.DeathReason == 3) {
    // Having tipped over, the starved Dragon rises and fades like an eaten one.
    G.DeathReason = 0;
    StartDeath();
    return;
  }
  G.GameState = gsDead;
  Kill();
  if (G.Lives == 0) {
    MusicPlayer.Stop();
    StartTransition("GameOver", 1600, 2, 50, 200);
    PlaySound("GameOver");
  } else if (G.DemoMode) {
    ActorHost.NextDemo();
  } else {
    // Rebuilding the level destroys this Dragon: nothing may touch it after this call.
    ActorHost.RebuildLevel();
  }
}

void RequestJump(int32_t dx, int32_t dy) {
  if (Dragon) Dragon->RequestJump(dx, dy);
}
