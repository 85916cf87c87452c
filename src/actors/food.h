#pragma once
#include <cstdint>
#include <string>

#include "actors/pad_item.h"
#include "actors/sprite_tree.h"

// Everything the Dragon can pick up stands on a pad and counts itself in the pad's FoodCount
// from its creation to its removal. Each item runs its own collision test every frame, so the
// item, not the Dragon, decides the pick-up.

// Food (kinds 1 to 5) and the diamond (kind 0), standing on a cell.
class TPrize : public TPadItem {
 public:
  // Food of group kind, its picture drawn at random from the group; kind 0 is the diamond.
  TPrize(int32_t column, int32_t row, uint8_t kind);

  // Sinks with the pad (the diamond below 10 pixels, anything below 20 while the pad shrinks;
  // never on an island), animates, and runs the pick-up test.
  void MoveSelf(int32_t moveCount) override;
  // The Dragon standing on it eats it (or wins the level); a green monster eats food.
  void HandleCollision(TSprite* other, bool& done) override;
  TSprite* Clone(TSprite* parent) const override { return CloneAs(*this, parent); }

  uint8_t PrizeKind;  // 0 the diamond, 1 .. 5 food of that group
};

// A bonus standing on a cell for a while. The five kinds differ in picture and effect.
class TBonus : public TPadItem {
 public:
  // Expires after Lifetime, sinks with its pad (never on an island unless it is gone),
  // animates, and runs the pick-up test.
  void MoveSelf(int32_t moveCount) override;
  // The standing Dragon takes it: it goes, "Collect" plays and the effect happens.
  void HandleCollision(TSprite* other, bool& done) override;
  // What the bonus does when taken.
  virtual void Effect() = 0;

  int32_t Lifetime = 0;  // milliseconds
  int32_t CreatedAt = 0;
  std::string ImageName;

 protected:
  TBonus(int32_t column, int32_t row, const char* imageName);
};

// Food on every free pad that is large enough.
class TMegaPrize : public TBonus {
 public:
  TMegaPrize(int32_t column, int32_t row) : TBonus(column, row, "MegaPrize") {}
  void Effect() override;
  TSprite* Clone(TSprite* parent) const override { return CloneAs(*this, parent); }
};
// Shrinking lily pads and stepped pads grow again.
class TBonusUp : public TBonus {
 public:
  TBonusUp(int32_t column, int32_t row) : TBonus(column, row, "ArrowUp") {}
  void Effect() override;
  TSprite* Clone(TSprite* parent) const override { return CloneAs(*this, parent); }
};
// Five more seconds, or points when the clock is near full.
class TTimeBonus : public TBonus {
 public:
  TTimeBonus(int32_t column, int32_t row) : TBonus(column, row, "SandClock") {}
  void Effect() override;
  TSprite* Clone(TSprite* parent) const override { return CloneAs(*this, parent); }
};
// About a third of the pads become islands.
class TStableBonus : public TBonus {
 public:
  TStableBonus(int32_t column, int32_t row) : TBonus(column, row, "Stars") {}
  void Effect() override;
  TSprite* Clone(TSprite* parent) const override { return CloneAs(*this, parent); }
};
// An extra life, or points at nine lives.
class TLifeBonus : public TBonus {
 public:
  TLifeBonus(int32_t column, int32_t row) : TBonus(column, row, "Pulse") {}
  void Effect() override;
  TSprite* Clone(TSprite* parent) const override { return CloneAs(*this, parent); }
};
