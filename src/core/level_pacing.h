#pragma once
#include <array>
#include <cstdint>

// Energy of one food item, by Difficulty (1..3 at [0..2]) and food kind (1..5 at [0..4]).
inline constexpr std::array<std::array<uint8_t, 5>, 3> FoodWeight{{
    {6, 8, 10, 13, 17},
    {4, 5, 6, 8, 11},
    {2, 4, 5, 6, 8},
}};
// Amount of food in percent, by Difficulty (1..3 at [0..2]).
inline constexpr std::array<uint16_t, 3> FoodRate{200, 150, 120};
// Shares of the five food kinds, in percent, when a level gives none that add up to 100.
inline constexpr std::array<uint8_t, 5> DefaultFoodShare{40, 30, 15, 10, 5};

// The food shares a level uses: its own when they add up to exactly 100, else the default.
std::array<uint8_t, 5> EffectiveFoodShare(const std::array<uint8_t, 5>& levelShare);

// Milliseconds between two entries of the bonus bag: timeLeft * 1000 div bonusCount, at least 1.
// Only meaningful for bonusCount > 0. May exceed 65535, in which case the 16-bit accumulator that
// paces bonuses never reaches it.
int32_t BonusIntervalFor(int32_t timeLeft, int32_t bonusCount);

// Milliseconds between two food appearances, kept in 16 bits. The unclipped value is returned
// through fullValue when asked, so that a checker can tell when it did not fit.
uint16_t FoodIntervalFor(int32_t timeLeft, int32_t difficulty, const std::array<uint8_t, 5>& share,
                         int64_t* fullValue = nullptr);
