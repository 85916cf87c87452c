#pragma once
#include <cstdint>

#include "actors/image_sprite.h"
#include "actors/sprite_tree.h"

// The player's Dragon. It stands on one cell, hops to a neighbouring one in 250 ms when asked,
// burns energy while the level runs, is caught by monsters (its own collision test) and plays
// its own death animation when a life is lost.
class TDragon : public TImageSprite {
 public:
  // Created under the sprite root on cell (1, GridRows), facing right, with 110 energy.
  explicit TDragon(TSprite* parent);
  ~TDragon() override;

  // The player's (or the demo's) move by one cell; dx, dy each -1, 0 or 1, one of them 0.
  void RequestJump(int32_t dx, int32_t dy);
  // Leaves the current cell (stepped pads wear) and stands on the given one.
  void PlaceAt(int32_t column, int32_t row);
  // Leaves the current cell and aims the hop at the given one.
  void SetTarget(int32_t column, int32_t row);
  // Looks left ("DragonL") or right ("DragonR").
  void Face(bool left);
  // The cell monsters aim at: (-10, -10) outside play, the hop's target while hopping, else
  // the Dragon's own cell.
  void AimCell(int32_t& column, int32_t& row) const;
  // Sets up the death animation for the current DeathReason.
  void StartDeath();
  // One frame of the death animation. When it ends the Dragon is killed and, with lives left,
  // the level is rebuilt: that destroys this Dragon, so nothing may touch it afterwards.
  void DrawDeath();

  void MoveSelf(int32_t moveCount) override;
  void HandleCollision(TSprite* other, bool& done) override;
  TSprite* Clone(TSprite* parent) const override { return CloneAs(*this, parent); }

  // Standing place of a Dragon of this size in cell (column, row).
  int32_t StandX(int32_t column) const;
  int32_t StandY(int32_t row) const;
  bool Hopping() const { return JumpStart != 0; }

  int32_t DeathAlphaFrom = 0;
  int32_t DeathAlphaTo = 0;
  int32_t DeathAngleBase = 0;
  int32_t DeathParam = 0;
  int32_t DeathX = 0, DeathY = 0;
  int32_t JumpFromX = 0, JumpFromY = 0;
  int32_t JumpToX = 0, JumpToY = 0;
  int32_t TargetColumn = 0, TargetRow = 0;
  int32_t JumpStart = 0;  // LevelTicks when the hop or the death animation began; 0 = none
  int32_t LastEnergyTick = 0;
  int32_t LastWarning = 0;
  bool DeathSoundDone = false;
  bool FacingLeft = false;
  bool DeathTurnBack = false;
  int32_t Column = 1, Row = 1;
  int32_t Energy = 110;  // 0 .. 150
  // Moves along the hop to where it is t ms after it began; lands at 250 ms.
  void Hop(int32_t t);
};

// The Dragon of the level being played; null while there is none.
extern TDragon* Dragon;

// The departure rule of stepped pads, applied to the cell a Dragon or a monster leaves: each
// departure takes 12 pixels off the pad's full size and starts it shrinking; a stepped pad of
// full size 20 or less is gone at once.
void LeavePad(int32_t column, int32_t row);
// A worn stepped pad's new period: (1 - 12 / maxSize) * period, rounded half to even.
uint16_t WornPeriod(uint16_t period, uint16_t maxSize);

// Whether two hops along one axis meet: the Dragon's from -> to and another's otherFrom ->
// otherTo. Moving the same way they meet when they share the target; moving opposite ways when
// the targets are exactly one cell apart (they swap cells or meet).
bool PathsCross(int32_t from, int32_t to, int32_t otherFrom, int32_t otherTo);

// A hop asked for by the player or a demo: handed to the Dragon, when there is one.
void RequestJump(int32_t dx, int32_t dy);
