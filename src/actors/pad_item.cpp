#include "actors/pad_item.h"

#include "actors/pond.h"
#include "actors/sprite_tree.h"
#include "core/globals.h"
#include "media/image_item.h"

TPadItem::TPadItem(int32_t column, int32_t row)
    : TImageSprite(&SpriteRoot()), Column(column), Row(row) {
  ++PadOf(Column, Row).FoodCount;
}

// An item killed by other code than its own removal still gives its count back when swept.
TPadItem::~TPadItem() {
  if (IsDead && !removed_) --PadOf(Column, Row).FoodCount;
}

void TPadItem::Remove() {
  if (removed_) return;
  removed_ = true;
  --PadOf(Column, Row).FoodCount;
  Kill();
}

void TPadItem::Show(TPictureCollectionItem* image) {
  Image = image;
  if (Image) {
    Width = Image->Width();
    Height = Image->Height();
    FrameCount = Image->PatternCount();
  }
  FrameLoop = true;
  FrameSpeed = 0.005;
  X = CellW() * (Column - 1) + (CellW() - Width) / 2;
  Y = 20 + CellH() * (Row - 1) + CellH() / 2 - Height + 5;
}
