#include "actors/sprite_tree.h"

#include "actors/dragon.h"
#include "game/screen_calls.h"

TDXSpriteEngine SpriteEngine;

void ClearAllSprites() {
  Dragon = nullptr;
  SpriteRoot().ClearChildren();
}
