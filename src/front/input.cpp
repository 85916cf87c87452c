// Keys and mouse buttons of the game window, routed by the game state.
#include "actors/dragon.h"
#include "core/globals.h"
#include "core/sound.h"
#include "front/input.h"
#include "platform/keys.h"
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
        case vk::Pause:
        case vk::P:
          PauseGame();
          break;
        case vk::Left:
          RequestJump(-1, 0);
          break;
        case vk::Up:
          RequestJump(0, -1);
          break;
        case vk::Right:
          RequestJump(1, 0);
          break;
        case vk::Down:
          RequestJump(0, 1);
          break;
        default:
          break;
      }
      break;
    case gsPaused:
      if (key == vk::Pause || key == vk::Escape || key == vk::P) ResumeGame();
      break;
    case gsHighScores:
      if (RecordsAsking()) RecordsAskKey(key);
      break;
    default:
      break;
  }
  if (key == vk::F2) G.ShowFps = !G.ShowFps;
}

void TMainForm::FormKeyUp(int32_t key, uint32_t shift) {
  const TTapeCallGuard tape(tcKeyUp, key, static_cast<int32_t>(shift));
  switch (G.GameState) {
    case gsMenu:
      if ((key == vk::Return || key == vk::Space) && !(shift & vk::ssAlt)) ActivateSelected();
      if (key == vk::Escape && MenuSelected() != MenuItemCount())
        MoveSelection(MenuItemCount() - MenuSelected());
      if (key == vk::Up) MoveSelection(-1);
      if (key == vk::Down) MoveSelection(1);
      break;
    case gsPlaying:
      if (key == vk::Escape && G.TryingOut) {
        QuitGame();  // back to the level editor
      } else if (key == vk::Escape) {
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
      if (key == vk::Return || key == vk::Y) {
        ResetToMenu();
        PlayMusic("intro.mid");
        DXTimer1.SetEnabled(true);
        G.LevelTicks = 1;
        G.LastTick = game_clock::Now();
      } else if (key == vk::Escape || key == vk::N) {
        G.GameState = gsPlaying;
        G.LastTick = game_clock::Now();
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
      HelpKey(key == vk::Escape ? vk::Escape : 0);
      break;
    case gsDemo:
      if (key != vk::F2) EndDemo();
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
      FormKeyUp(vk::Space, 0);  // "Press any key"
      break;
    case gsDying:
      if (G.DemoMode) FormKeyUp(vk::Space, 0);
      break;
    case gsPaused:
      FormKeyDown(vk::Pause, 0);
      break;
    default:
      DXDrawMouseUp(0, 0, x, y);
      break;
  }
}
