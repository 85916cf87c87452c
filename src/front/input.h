#pragma once
#include <cstdint>

#include "game/main_form.h"

// The game window with its input: every key, mouse button and game pad report, routed by the
// game state to the screens, the game and the Dragon.
class TMainForm : public TGameWindow {
 public:
  using TGameWindow::TGameWindow;

  void FormKeyDown(int32_t key, uint32_t shift);
  void FormKeyUp(int32_t key, uint32_t shift);
  void FormKeyPress(char key);
  void DXDrawMouseUp(int32_t button, uint32_t shift, int32_t x, int32_t y);
  // A tap of a finger that is no hop: it acts as a click does, and also takes the menu item
  // under it, continues where any key would, and resumes a paused game.
  void Tap(int32_t x, int32_t y);
  // A game pad position report: X in the low 16 bits, Y in the high 16 bits.
  void JoyMove(uint32_t position);
  void JoyButUp(uint32_t buttons);
};
