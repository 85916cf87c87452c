#pragma once
#include <cstdint>

#include "actors/image_sprite.h"
#include "actors/sprite_tree.h"

// What the three kinds of monster share.
// NOT YET BUILT: for now a monster only records the cell it was created on; hopping, deciding
// and sinking come with the monsters themselves.
class TEnemy : public TImageSprite {
 public:
  TEnemy(int32_t column, int32_t row) : TImageSprite(&SpriteRoot()), Column(column), Row(row) {}

  bool Sinking = false;
  int32_t TargetColumn = 0, TargetRow = 0;
  int32_t JumpStart = 0;  // LevelTicks when the hop (or the sinking) began; 0 = none
  int32_t Column, Row;
};

class TRedMonster : public TEnemy {
 public:
  using TEnemy::TEnemy;
};
class TGreenMonster : public TEnemy {
 public:
  using TEnemy::TEnemy;
};
class TShaggyMonster : public TEnemy {
 public:
  using TEnemy::TEnemy;
};
