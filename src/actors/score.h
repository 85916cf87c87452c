#pragma once
#include <cstdint>

// Adds the points to Score and shows them rising over the Dragon.
void AddScore(int32_t points);

// The Dragon eats food of group kind (1 .. 5): energy, capped at 150 with 10 points lost for
// each unit above it, then the food's points and the sound "Ham".
void EatFood(int32_t kind);

// The diamond's points for the time, energy, level and difficulty at hand.
int32_t DiamondPoints(int32_t timeLeft, int32_t difficulty, int32_t levelNo, int32_t energy);
