#pragma once
#include <string>

#include "game/level_pack.h"

// Builds level LevelNo from the level file and starts play (gsPlaying, the frame timer running):
// the pad grid, the Dragon, the food, bonuses and monsters the level places, the diamond unless
// it comes late, the bonus bag and the food pacing. Every random number is drawn in a fixed
// order, so that a demo replays the same level from the same seed.
//
// A missing file, a level beyond its end or a record the game cannot build raises EInOutError
// before any sprite is touched; only MaxLevel and JoyRepeat may have changed by then.
void LoadLevel();
