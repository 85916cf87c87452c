// Losing a life, the end of a level, and what a key does afterwards.
#include <cstdio>

#include "actors/dragon.h"
#include "actors/effects.h"
#include "core/globals.h"
#include "core/sound.h"
#include "game/level.h"
#include "game/main_form.h"
#include "game/playfield.h"
#include "game/rules.h"
#include "platform/clock.h"

void LoseLife(uint8_t reason) {
  G.GameState = gsDying;
  G.DeathReason = reason;
  if (Dragon) Dragon->StartDeath();
  if (G.Lives > 0) --G.Lives;
  DrawPlayfield();
  switch (reason) {
    case drDrowned:
      PlaySound("Splash");
      break;
    case drTimeUp:
      PlaySound("TimeUp");
      break;
    case drStarved:
      PlaySound("EDeath");
      break;
    default:
      PlaySound("Lose");
      break;
  }
}

void CheckLevelEnd() {
  switch (G.GameState) {
    case gsLevelDone:
      StartTransition("Complete", 1200, 0, 50, 200);
      PlaySound("Win");
      return;
    case gsCaught:
      LoseLife(drCaught);
      PlaySound("Eaten");
      return;
    case gsPlaying:
    case gsDemo:
      break;
    default:
      return;
  }
  if (!Dragon || Dragon->Hopping()) return;  // a Dragon in mid-hop waits until it lands
  const TPad& p = G.Pads[Dragon->Column][Dragon->Row];
  if (p.Size == 0) {
    LoseLife(drDrowned);
  } else if (Dragon->Energy == 0) {
    LoseLife(drStarved);
  }
}

void ContinueAfterKey() {
  TGameWindow* form = MainForm;
  // A level tried from the level editor ends with the level, won or lost with the last life:
  // the editor reads how from the game's standard output.
  if (G.TryingOut && (G.GameState == gsLevelDone || G.Lives == 0)) {
    std::printf("try: %s\n", G.GameState == gsLevelDone ? "won" : "lost");
    std::fflush(stdout);
    if (form) form->QuitGame();
    return;
  }
  if (G.LevelNo >= G.LevelCount && G.GameState == gsLevelDone) {
    if (form) {
      form->DXTimer1.SetEnabled(true);
      form->BackToMenu();
    }
  } else if (G.Lives == 0 || G.LevelNo >= G.LevelCount) {
    if (form) form->BackToMenu();
    G.LevelTicks = 1;
    G.LastTick = game_clock::Now();
    if (form) form->DXTimer1.SetEnabled(true);
  } else {
    if (G.GameState == gsLevelDone) ++G.LevelNo;
    LoadLevel();
  }
}
