// The level file "LevelsFree.dat": any file gives, for each record, either a level that the
// game builds, or the input/output error that names the level.
#include <algorithm>
#include <string>

#include "actors/sprite_tree.h"
#include "core/random.h"
#include "fuzz/fuzz_target.h"
#include "fuzz/level_world.h"
#include "game/in_out_error.h"
#include "game/level.h"
#include "game/level_check.h"
#include "game/level_reader.h"

TARVELLE_FUZZ_TARGET(level_file) {
  static fuzz::TLevelWorld world(false);  // no display: nothing is drawn
  const std::string folder = fuzz::ScratchFolder();
  fuzz::WriteFile(folder + "LevelsFree.dat", data, size);
  G = world.Start;
  SetClock(&world.Clock);
  G.ProgramFolder = folder;

  const TLevelReader reader(folder + "LevelsFree.dat");
  const int32_t count = reader.RecordCount();
  fuzz::Check(count == static_cast<int32_t>(size / LevelRecordSize), "record count");
  for (int32_t n = 1; n <= std::min(count, 2) + 1; ++n) {
    try {
      CheckLevelRecord(reader.ReadRecord(n));
      reader.ReadLevel(n);
    } catch (const EInOutError& e) {
      fuzz::Check(std::string_view(e.what()).starts_with("LevelsFree.dat, level "),
                  "error without its level");
      continue;
    }
    // The game builds what the reader let through.
    G.LevelNo = n;
    G.GameState = gsMenu;
    RandomState = 12345;
    LoadLevel();
    fuzz::Check(G.GameState == gsPlaying, "the level did not start");
  }
  ClearAllSprites();
  SetClock(nullptr);
}
