#pragma once
#include <cstdint>

// One cell of the pond.
struct TPad {
  uint8_t Kind = 0;  // 0 water, 1 lily pad, 2 island, 3 stepped pad
  uint16_t MaxSize = 0;
  uint16_t Size = 0;
  uint16_t HoldFull = 0;
  uint16_t HoldEmpty = 0;
  uint16_t Period = 0;
  int32_t FullSince = 0;
  int32_t EmptySince = 0;
  int32_t PhaseStart = 0;
  bool Growing = false;
  int32_t FoodCount = 0;
};

enum : uint8_t { pkWater = 0, pkLily = 1, pkIsland = 2, pkStepped = 3, pkRandom = 4 };
