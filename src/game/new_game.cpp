// Starting a game.
#include "game/globals.h"
#include "game/level.h"
#include "game/replay_recorder.h"
#include "game/screen_calls.h"
#include "media/music.h"
#include "media/sound.h"

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
