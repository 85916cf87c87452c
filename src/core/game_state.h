#pragma once
#include <cstdint>

// The one-byte state of the game window; every frame dispatches on it.
enum TGameState : uint8_t {
  gsStartup = 0,
  gsMenu = 1,
  gsPlaying = 2,
  gsLevelDone = 3,
  gsDying = 4,
  gsDead = 5,
  gsTransition = 6,
  gsPaused = 7,
  gsExitPrompt = 8,
  gsCaught = 9,
  gsHighScores = 10,
  gsOptions = 11,
  gsHelp = 14,
  gsDemo = 16,
};

// The state's name as written in logs and in the driver's JSON ("gsMenu"); "gs?" for others.
const char* GameStateName(TGameState s);
