// A level of the level file played for a few frames: whatever the reader lets through, the
// game builds, draws and plays (the Dragon, the monsters and the pads move, bonuses come).
#include <string>

#include "actors/sprite_tree.h"
#include "core/random.h"
#include "fuzz/fuzz_target.h"
#include "fuzz/level_world.h"
#include "game/in_out_error.h"
#include "game/level.h"
#include "game/level_reader.h"
#include "platform/paths.h"

TARVELLE_FUZZ_TARGET(level_play) {
  static fuzz::TLevelWorld world(true);
  const std::string folder = fuzz::ScratchFolder();
  fuzz::WriteFile(folder + "LevelsFree.dat", data, size);
  try {
    TLevelReader(folder + "LevelsFree.dat").ReadLevel(1);
  } catch (const EInOutError&) {
    return;  // the level_file target covers the refusals
  }
  // A game lost in these frames ends at the high-score table: its file goes to the scratch.
  paths::OverrideHome(folder + "play-home");
  G = world.Start;
  SetClock(&world.Clock);
  G.ProgramFolder = folder;
  G.LevelNo = 1;
  G.GameState = gsMenu;
  G.Lives = 3;
  RandomState = 12345;
  LoadLevel();
  for (int frame = 0; frame < 4; ++frame) {
    world.Clock.Advance(400);
    world.Form.DXTimer1Timer(400);
  }
  ClearAllSprites();
  SetClock(nullptr);
  paths::OverrideHome("");
}
