#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// What lies on the pond, for the headless driver's report.
struct TItemReport {
  std::string Kind;  // "food", "diamond" or the bonus's picture name
  int32_t Column = 0, Row = 0;
};
struct TActorReport {
  bool HasDragon = false;
  int32_t DragonColumn = 0, DragonRow = 0;
  bool Jumping = false;
  int32_t Energy = 0;
  int32_t Sprites = 0;
  std::vector<std::array<int32_t, 3>> Monsters;  // kind (1 red, 2 green, 3 shaggy), column, row
  std::vector<TItemReport> Items;
};
TActorReport DescribeActors();
