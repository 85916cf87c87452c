#pragma once
#include "pixels/rect.h"

class TSurface;

// A pill-shaped button of the art guide, without its caption: a navy outline, a blue gradient
// from top to bottom and a light line along the top; the focused one is green with a cream ring
// inside its outline, one under the pointer a fifth lighter, a pressed one with its gradient
// turned over. The launcher's buttons and the game's own questions draw their buttons so.
struct TPillLook {
  bool Focused = false;
  bool Hot = false;
  bool Pressed = false;
};
void DrawPill(TSurface& s, const TRect& r, TPillLook look);
