#pragma once
#include <string>

#include "game/level_record.h"

// A level drawn as text: the grid as a map (pads with their size in units, islands, stepped and
// random pads, and what stands on them: the Dragon, the diamond, food, bonuses, monsters), then
// the pad cycles, the random pads, the bonus bag, the food pacing and any problems.
std::string ShowLevel(const TLevelRecord& record, int levelNo, const std::string& note);
