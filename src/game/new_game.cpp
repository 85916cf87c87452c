// Starting a game.
#include "core/globals.h"
#include "core/sound.h"
#include "game/level.h"
#include "game/replay_recorder.h"
#include "game/rules.h"

void NewGame(int32_t start) {
  const TGameStartGuard recording(start);
  G.LevelNo = start;
  if (start <= 1) {
    G.LevelNo = 1;
  } else if (start > G.LevelCount || start > G.MaxLevel) {
    PlaySound("NoEnergy");
    return;
  }
  PlayNextLevelMusic();
  G.Lives = (G.Difficulty == 3 || G.LevelNo > 1) ? 3 : 5;
  G.Score = 0;
  LoadLevel();
}
