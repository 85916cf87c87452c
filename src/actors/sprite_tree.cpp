#include "actors/sprite_tree.h"

#include "actors/dragon.h"

TDXSpriteEngine SpriteEngine;

void ClearAllSprites() {
  Dragon = nullptr;
  SpriteRoot().ClearChildren();
}
