#pragma once
#include "actors/sprite_engine.h"

// The game window's sprite engine. Everything that moves on the pond lives in its tree; every
// actor is created with its root as parent.
extern TDXSpriteEngine SpriteEngine;

// The root of the tree, the parent of every actor.
inline TSpriteEngine& SpriteRoot() {
  return *SpriteEngine.Engine;
}

// Removes every sprite of the tree (building a level, returning to the menu).
void ClearAllSprites();
