#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/pad.h"
#include "game/level_record.h"
#include "platform/text_case.h"

// The names of the kinds a level record holds, as the level text, the level tool's reports, the
// checker's problems and the editor use them: a cell's Kind, a bonus slot's and a monster
// slot's ObjKind, each name at its number.
inline constexpr std::array<const char*, 5> PadKindNames{"water", "lily", "island", "stepped",
                                                         "random"};
inline constexpr std::array<const char*, 5> BonusKindNames{"mega", "up", "time", "stable",
                                                           "life"};
inline constexpr std::array<const char*, 3> MonsterKindNames{"red", "green", "shaggy"};
static_assert(PadKindNames.size() == pkRandom + 1);
static_assert(BonusKindNames.size() == bkLifeBonus + 1);
static_assert(MonsterKindNames.size() == mkShaggy + 1);

// The name of a kind; "unknown" for a number beyond the names.
inline const char* KindName(std::span<const char* const> names, int64_t kind) {
  return kind >= 0 && kind < static_cast<int64_t>(names.size()) ? names[kind] : "unknown";
}
inline const char* PadKindName(int kind) {
  return KindName(PadKindNames, kind);
}
inline const char* BonusKindName(uint32_t kind) {
  return KindName(BonusKindNames, kind);
}
inline const char* MonsterKindName(uint32_t kind) {
  return KindName(MonsterKindNames, kind);
}

// The kind a name stands for, in any case ("Lily" is 1); -1 for a name that is none of them.
inline int32_t KindByName(std::span<const char* const> names, std::string_view name) {
  for (size_t k = 0; k < names.size(); ++k) {
    const std::string_view n = names[k];
    if (text::SameIgnoringCase(n, name)) return static_cast<int32_t>(k);
  }
  return -1;
}
