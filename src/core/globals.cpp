#include "core/globals.h"

TGameGlobals G;

const char* GameStateName(TGameState s) {
  switch (s) {
    case gsStartup:
      return "gsStartup";
    case gsMenu:
      return "gsMenu";
    case gsPlaying:
      return "gsPlaying";
    case gsLevelDone:
      return "gsLevelDone";
    case gsDying:
      return "gsDying";
    case gsDead:
      return "gsDead";
    case gsTransition:
      return "gsTransition";
    case gsPaused:
      return "gsPaused";
    case gsExitPrompt:
      return "gsExitPrompt";
    case gsCaught:
      return "gsCaught";
    case gsHighScores:
      return "gsHighScores";
    case gsOptions:
      return "gsOptions";
    case gsHelp:
      return "gsHelp";
    case gsDemo:
      return "gsDemo";
  }
  return "gs?";
}
