// Points and energy from what the Dragon picks up.
#include "actors/score.h"

#include <array>

#include "actors/dragon.h"
#include "actors/effects.h"
#include "core/globals.h"
#include "core/level_pacing.h"
#include "core/sound.h"

namespace {

// Points of one food item, by Difficulty (1..3 at [0..2]) and food kind (1..5 at [0..4]).
constexpr std::array<std::array<int32_t, 5>, 3> FoodPoints{{
    {10, 20, 50, 100, 200},
    {10, 30, 70, 150, 300},
    {10, 50, 100, 200, 500},
}};

constexpr int32_t MaxEnergy = 150;

// Difficulty as a table index 0 .. 2, whatever the setting holds.
int32_t DifficultyIndex() {
  return G.Difficulty < 1 ? 0 : G.Difficulty > 3 ? 2 : G.Difficulty - 1;
}

}  // namespace

void AddScore(int32_t points) {
  G.Score += points;
  ShowScorePopup(points);
}

void EatFood(int32_t kind) {
  const int32_t k = kind < 1 ? 0 : kind > 5 ? 4 : kind - 1;
  const int32_t d = DifficultyIndex();
  if (Dragon) {
    Dragon->Energy += FoodWeight[d][k];
    if (Dragon->Energy > MaxEnergy) {
      G.Score += (MaxEnergy - Dragon->Energy) * 10;  // overeating costs points, silently
      Dragon->Energy = MaxEnergy;
    }
  }
  AddScore(FoodPoints[d][k]);
  PlaySound("Ham");
}

int32_t DiamondPoints(int32_t timeLeft, int32_t difficulty, int32_t levelNo, int32_t energy) {
  // Difficulty is 1..3; anything else counts as the easiest.
  if (difficulty < 1 || difficulty > 3) difficulty = 1;
  int32_t points = timeLeft / (4 - difficulty) * 10 + difficulty * 100 + levelNo * 10 +
                   energy / 5 * 10 * difficulty;
  if (timeLeft == 0) points += levelNo * 10 * difficulty;
  return points;
}
