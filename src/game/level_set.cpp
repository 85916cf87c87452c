#include "game/level_set.h"

#include <algorithm>
#include <optional>

#include "core/globals.h"
#include "game/in_out_error.h"
#include "game/level_check.h"
#include "game/level_pack.h"
#include "game/level_reader.h"
#include "game/replay.h"

namespace {

constexpr int32_t GameLevels = 15;

struct TLevelsInMemory {
  std::vector<TLevelRecord> Levels;
  uint32_t Checksum = 0;
  std::string Name;
};

std::optional<TLevelsInMemory> held;

std::string Where(const std::string& name, int32_t levelNo) {
  return name + ", level " + std::to_string(levelNo);
}

}  // namespace

void PlayLevelRecords(const std::vector<TLevelRecord>& levels) {
  std::string bytes(levels.size() * LevelRecordSize, '\0');
  for (size_t i = 0; i < levels.size(); ++i) {
    EncodeLevelRecord(levels[i], std::span<uint8_t, LevelRecordSize>(
                                     reinterpret_cast<uint8_t*>(bytes.data()) + i * LevelRecordSize,
                                     LevelRecordSize));
  }
  held = TLevelsInMemory{levels, ReplayChecksum(bytes), "the levels in memory"};
}

std::string PlayLevelFileBytes(std::string_view bytes, const std::string& name) {
  const size_t count = bytes.size() / LevelRecordSize;
  if (count < GameLevels) {
    return name + ": holds " + std::to_string(count) + " level(s), the game needs 15";
  }
  TLevelsInMemory set{{}, ReplayChecksum(bytes), name};
  for (size_t i = 0; i < count; ++i) {
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data()) + i * LevelRecordSize;
    set.Levels.push_back(DecodeLevelRecord(std::span<const uint8_t, LevelRecordSize>(p, LevelRecordSize)));
    if (i >= GameLevels) continue;  // the game plays the first 15
    const std::vector<TLevelProblem> errors = LevelRecordErrors(set.Levels.back());
    if (!errors.empty())
      return Where(name, static_cast<int32_t>(i + 1)) + ": " + errors.front().Text;
  }
  held = std::move(set);
  return "";
}

void ForgetLevelRecords() {
  held.reset();
}

bool LevelRecordsInMemory() {
  return held.has_value();
}

uint32_t LevelRecordsChecksum() {
  return held ? held->Checksum : 0;
}

TLevelRecord PlayedLevel(int32_t levelNo) {
  if (!held || G.DemoMode) return TLevelReader(LevelFilePath()).ReadLevel(levelNo);
  if (levelNo < 1 || levelNo > static_cast<int32_t>(held->Levels.size())) {
    throw EInOutError(EInOutError::ecReadBeyondEnd,
                      Where(held->Name, levelNo) + ": read beyond end of file");
  }
  const TLevelRecord& level = held->Levels[static_cast<size_t>(levelNo - 1)];
  const std::vector<TLevelProblem> errors = LevelRecordErrors(level);
  if (!errors.empty()) {
    throw EInOutError(EInOutError::ecInvalidData,
                      Where(held->Name, levelNo) + ": " + errors.front().Text);
  }
  return level;
}
