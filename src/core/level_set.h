#pragma once
#include <cstdint>

// The levels of a set: the game plays this many from a level file (the shipped one or a pack),
// and a file must hold at least this many records.
inline constexpr int32_t LevelSetSize = 15;
