#pragma once
#include <cstdint>

#include "actors/image_sprite.h"

// Something the Dragon can pick up, standing on a cell: it counts itself in the pad's
// FoodCount from its creation to its removal, stands centred on the cell with its feet a
// little below the middle, and animates slowly in a loop.
class TPadItem : public TImageSprite {
 public:
  ~TPadItem() override;

  // Gives the pad its count back and kills the sprite; does nothing the second time.
  void Remove();

  int32_t Column, Row;

 protected:
  TPadItem(int32_t column, int32_t row);
  // Takes the picture (which may be missing) and stands on the cell.
  void Show(TPictureCollectionItem* image);

 private:
  bool removed_ = false;
};
