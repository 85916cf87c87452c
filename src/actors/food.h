#pragma once
#include <cstdint>

#include "actors/image_sprite.h"
#include "actors/sprite_tree.h"

// Food (kinds 1 to 5) and the diamond (kind 0), standing on a cell.
// NOT YET BUILT: for now it only records its cell and kind; its picture, its pad count, sinking
// with the pad and being eaten come with the food and bonus actors.
class TPrize : public TImageSprite {
 public:
  TPrize(int32_t column, int32_t row, uint8_t kind)
      : TImageSprite(&SpriteRoot()), PrizeKind(kind), Column(column), Row(row) {}

  uint8_t PrizeKind;
  int32_t Column, Row;
};

// A bonus standing on a cell. NOT YET BUILT: it only records its cell.
class TBonus : public TImageSprite {
 public:
  TBonus(int32_t column, int32_t row) : TImageSprite(&SpriteRoot()), Column(column), Row(row) {}

  int32_t Column, Row;
};

// Food on every free pad.
class TMegaPrize : public TBonus {
 public:
  using TBonus::TBonus;
};
// Shrinking pads grow again.
class TBonusUp : public TBonus {
 public:
  using TBonus::TBonus;
};
// Five more seconds.
class TTimeBonus : public TBonus {
 public:
  using TBonus::TBonus;
};
// About a third of the pads become islands.
class TStableBonus : public TBonus {
 public:
  using TBonus::TBonus;
};
// An extra life.
class TLifeBonus : public TBonus {
 public:
  using TBonus::TBonus;
};
