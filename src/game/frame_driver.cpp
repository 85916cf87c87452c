// One frame of the game window, chosen by the game state.
#include "actors/effects.h"
#include "core/globals.h"
#include "core/sound.h"
#include "game/demo.h"
#include "game/main_form.h"
#include "game/playfield.h"
#include "game/replay_recorder.h"
#include "game/rules.h"
#include "game/screens.h"
#include "platform/clock.h"

void TGameWindow::DoFrame() {
  if (!DXDraw.CanDraw()) return;
  const TTapeCallGuard tape(tcFrame, G.LagCount);
  frame_pause::Take(static_cast<uint32_t>(G.SleepMs));
  switch (G.GameState) {
    case gsStartup:
      G.GameState = gsMenu;
      break;
    case gsMenu:
      if (!G.MenuBuilt) Screens.MakeTitleMenu();
      UpdateClock();
      Screens.TitleScreenFrame();
      DXDraw.Flip();
      break;
    case gsPlaying:
    case gsDemo:
      PlayFrame();
      break;
    case gsDying:
      UpdateClock();
      if (G.TimeLeft > 0)
        AnimatePads();
      else
        SinkAllPads();
      DrawPlayfield();
      break;
    case gsTransition:
      UpdateClock();
      if (!TransitionFinished()) {
        DrawPlayfield();
        break;
      }
      DXTimer1.SetEnabled(false);
      TransitionRestoreState();
      if (G.GameState == gsLevelDone) {
        if (G.DemoMode)
          StartDemo();
        else if (G.LevelNo >= G.LevelCount)
          ShowFinalEnding();
      }
      FreeTransition();
      break;
    case gsExitPrompt:
      DrawPlayfield();
      DXTimer1.SetEnabled(false);
      break;
    case gsHighScores:
      UpdateClock();
      Screens.RecordsScreenFrame();
      break;
    case gsOptions:
      UpdateClock();
      Screens.OptionsScreenFrame();
      break;
    case gsHelp:
      Screens.HelpScreenFrame();
      break;
    case gsLevelDone:
      FinalEndingStep();  // the congratulation's waits, where the clock can't wait
      break;
    default:
      // Level done, dead, paused, caught: the last picture stays on screen.
      break;
  }
}

// Whole seconds of the level's countdown: at most one per frame, the rest waits.
void TGameWindow::CountSecond() {
  G.SecondAcc = static_cast<uint16_t>(G.SecondAcc + static_cast<uint16_t>(G.FrameDelta));
  if (G.SecondAcc < 1000) return;
  G.SecondAcc = static_cast<uint16_t>(G.SecondAcc - 1000);
  if (G.TimeLeft <= 0) return;
  --G.TimeLeft;
  ++G.SecondsElapsed;
  if (G.TimeLeft == 0) {
    PlaySound("TimeUp");
  } else if (G.TimeLeft < 6) {
    PlaySound("Time");
    if (G.TimeLeft == 5) StartFallingCaption("HurryUp");
  }
}

void TGameWindow::PlayFrame() {
  UpdateClock();
  CountSecond();
  if (G.GameState == gsDemo) DemoStep();
  if (G.TimeLeft > 0) {
    AnimatePads();
    const uint16_t delta = static_cast<uint16_t>(G.FrameDelta);
    G.BonusAcc = static_cast<uint16_t>(G.BonusAcc + delta);
    G.FoodAcc = static_cast<uint16_t>(G.FoodAcc + delta);
    SpawnBonus();
    if (G.FoodAcc > G.FoodInterval) {
      G.FoodAcc = static_cast<uint16_t>(G.FoodAcc - G.FoodInterval);
      SpawnFood();
    }
  } else {
    SinkAllPads();
  }
  DrawPlayfield();
  CheckLevelEnd();
}

// Play stands still: the timer stops and the paused picture shows until ResumeGame.
void TGameWindow::PauseGame() {
  const TTapeCallGuard tape(tcPause);
  DXTimer1.SetEnabled(false);
  G.GameState = gsPaused;
  DrawPlayfield();
  if (G.WindowedMode) DXDraw.SetArrowCursor(true);
}

void TGameWindow::ResumeGame() {
  DXDraw.SetArrowCursor(false);
  G.LastTick = game_clock::Now();
  G.GameState = gsPlaying;
  DXTimer1.SetEnabled(true);
}
