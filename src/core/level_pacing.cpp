#include "core/level_pacing.h"

std::array<uint8_t, 5> EffectiveFoodShare(const std::array<uint8_t, 5>& levelShare) {
  int sum = 0;
  for (uint8_t s : levelShare) sum += s;
  return sum == 100 ? levelShare : DefaultFoodShare;
}

int32_t BonusIntervalFor(int32_t timeLeft, int32_t bonusCount) {
  if (bonusCount <= 0) return 0;
  const int32_t interval = static_cast<int32_t>(int64_t{timeLeft} * 1000 / bonusCount);
  return interval == 0 ? 1 : interval;
}

uint16_t FoodIntervalFor(int32_t timeLeft, int32_t difficulty, const std::array<uint8_t, 5>& share,
                         int64_t* fullValue) {
  const int d = difficulty < 1 ? 0 : difficulty > 3 ? 2 : difficulty - 1;
  int64_t v = (int64_t{timeLeft} * 1000 / 200) * FoodRate[d] / 100;
  if (v > 130) v -= 100;
  if (v < 30) v = 30;
  int64_t w = 0;
  for (int k = 0; k < 5; ++k) w += int64_t{share[k]} * FoodWeight[d][k];
  const int64_t interval = int64_t{timeLeft} * w * 10 / v;
  if (fullValue) *fullValue = interval;
  return static_cast<uint16_t>(interval);
}
