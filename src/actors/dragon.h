#pragma once
#include <cstdint>

#include "actors/image_sprite.h"
#include "actors/sprite_tree.h"

// The player's Dragon.
// NOT YET BUILT: for now it only records where level construction put it and which way it looks;
// the hop, energy, the catch and the death come with the Dragon itself.
class TDragon : public TImageSprite {
 public:
  explicit TDragon(TSprite* parent) : TImageSprite(parent) {}

  // Stands on the given cell.
  void PlaceAt(int32_t column, int32_t row) {
    Column = column;
    Row = row;
  }
  // Looks left (true) or right.
  void Face(bool left) { FacingLeft = left; }

  bool FacingLeft = false;
  int32_t Column = 1, Row = 1;
  int32_t JumpStart = 0;
  int32_t Energy = 110;
};

// The Dragon of the level being played; null while there is none.
extern TDragon* Dragon;
