// Keys and mouse buttons of the game window, routed by the game state.
#include "actors/dragon.h"
#include "core/globals.h"
#include "core/sound.h"
#include "front/input.h"
#include "front/keys.h"
#include "front/screen_calls.h"
#include "game/demo.h"
#include "game/playfield.h"
#include "game/replay_recorder.h"
#include "game/rules.h"
#include "platform/clock.h"

void TMainForm::FormKeyDown(int32_t key, uint32_t shift) {
  const TTapeCallGuard tape(tcKeyDown, key, static_cast<int32_t>(shift));
  switch (G.GameState) {
    case gsPlaying:
      switch (key) {
        case VK_PAUSE:
        case VK_P:
          PauseGame();
          break;
        case VK_LEFT:
          RequestJump(-1, 0);
          break;
        case VK_UP:
          RequestJump(0, -1);
          break;
        case VK_RIGHT:
          RequestJump(1, 0);
          break;
        case VK_DOWN:
          RequestJump(0, 1);
          break;
        default:
          break;
      }
      break;
    case gsPaused:
      if (key == VK_PAUSE || key == VK_ESCAPE || key == VK_P) ResumeGame();
      break;
    case gsHighScores:
      if (RecordsAsking()) RecordsAskKey(key);
      break;
    default:
      break;
  }
  if (key == VK_F2) G.ShowFps = !G.ShowFps;
}

void TMainForm::FormKeyUp(int32_t key, uint32_t shift) {
  const TTapeCallGuard tape(tcKeyUp, key, static_cast<int32_t>(shift));
  switch (G.GameState) {
    case gsMenu:
      if ((key == VK_RETURN || key == VK_SPACE) && !(shift & ssAlt)) ActivateSelected();
      if (key == VK_ESCAPE && MenuSelected() != MenuItemCount())
        MoveSelection(MenuItemCount() - MenuSelected());
      if (key == VK_UP) MoveSelection(-1);
      if (key == VK_DOWN) MoveSelection(1);
      break;
    case gsPlaying:
      if (key == VK_ESCAPE && G.TryingOut) {
        QuitGame();  // back to the level editor
      } else if (key == VK_ESCAPE) {
        G.GameState = gsExitPrompt;
      }
      break;
    case gsLevelDone:
    case gsDead:
      if (!FinalEndingRunning()) ContinueAfterKey();
      break;
    case gsDying:
      if (G.DemoMode) EndDemo();
      break;
    case gsExitPrompt:
      if (key == VK_RETURN || key == VK_Y) {
        ResetToMenu();
        PlayMusic("intro.mid");
        DXTimer1.SetEnabled(true);
        G.LevelTicks = 1;
        G.LastTick = timeGetTime();
      } else if (key == VK_ESCAPE || key == VK_N) {
        G.GameState = gsPlaying;
        G.LastTick = timeGetTime();
        DXTimer1.SetEnabled(true);
      }
      break;
    case gsHighScores:
      // The question is answered on the key's press; its release leaves the table on screen.
      if (!RecordsEntering() && !RecordsHoldKeyUp()) LeaveHighScores();
      break;
    case gsOptions:
      OptionsKey(key);
      break;
    case gsHelp:
      HelpKey(key == VK_ESCAPE ? VK_ESCAPE : 0);
      break;
    case gsDemo:
      if (key != VK_F2) EndDemo();
      break;
    default:
      break;
  }
}

void TMainForm::FormKeyPress(char key) {
  const TTapeCallGuard tape(tcKeyPress, static_cast<uint8_t>(key));
  if (G.GameState == gsHighScores && RecordsEntering()) NameEntryChar(key);
}

void TMainForm::DXDrawMouseUp(int32_t button, uint32_t shift, int32_t x, int32_t y) {
  const TTapeCallGuard tape(tcMouseUp, button, static_cast<int32_t>(shift), x, y);
  // A click counts where it happened: the pointer may have moved since the last frame sampled
  // it (a quick move and click between two frames).
  G.PointerPos = {x, y};
  switch (G.GameState) {
    case gsMenu:
      if (button == 0 && PointerOverSelected()) ActivateSelected();
      break;
    case gsHighScores:
      if (RecordsAsking()) {
        if (button == 0) RecordsAskClick(x, y);
      } else if (!RecordsEntering()) {
        LeaveHighScores();
      }
      break;
    case gsOptions:
      if (button == 0) OptionsClick();
      break;
    case gsHelp:
      HelpKey(0);
      break;
    case gsDemo:
      EndDemo();
      break;
    default:
      break;
  }
}

void TMainForm::Tap(int32_t x, int32_t y) {
  // Each way goes through a handler that replays record, so a replay sees the same calls.
  switch (G.GameState) {
    case gsMenu:
      G.PointerPos = {x, y};
      TapMenuItem();
      break;
    case gsLevelDone:
    case gsDead:
      FormKeyUp(VK_SPACE, 0);  // "Press any key"
      break;
    case gsDying:
      if (G.DemoMode) FormKeyUp(VK_SPACE, 0);
      break;
    case gsPaused:
      FormKeyDown(VK_PAUSE, 0);
      break;
    default:
      DXDrawMouseUp(0, 0, x, y);
      break;
  }
}
