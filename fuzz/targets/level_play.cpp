// A level of the level file played for a few frames, held in memory as the editor plays it:
// whatever the reader lets through, the game builds, draws and plays (the Dragon, the monsters
// and the pads move, bonuses come).
#include <string>

#include "actors/sprite_tree.h"
#include "fuzz/fuzz_target.h"
#include "fuzz/level_world.h"
#include "game/level_check.h"
#include "game/level_record.h"

TARVELLE_FUZZ_TARGET(level_play) {
  if (size < static_cast<size_t>(LevelRecordSize)) return;  // the level_file target covers it
  const TLevelRecord level =
      DecodeLevelRecord(std::span<const uint8_t, LevelRecordSize>(data, LevelRecordSize));
  if (!LevelRecordErrors(level).empty()) return;  // refused as the reader refuses it
  TGameSession& session = fuzz::PlaySession();
  session.StartLevel(level, 1, 12345);
  for (int frame = 0; frame < 4; ++frame) session.Frame(400);
  ClearAllSprites();
}
