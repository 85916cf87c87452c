#pragma once
#include <cstdint>

#include "pixels/rect.h"

// What one touch of the screen means to the game. The touch is known by where the finger went
// down and where it came up, in the picture's pixels.
struct TTouchAction {
  enum TKind {
    Click,  // a tap: the mouse's click at (X, Y) (menus, options, "press any key")
    Arrow,  // an arrow key (the game's key numbering)
  };
  TKind Kind = Click;
  int32_t Key = 0;
  int32_t X = 0, Y = 0;
};

// The pond as the touch needs it: the grid's cells, and the Dragon's cell (from 1).
struct TTouchPond {
  int32_t Top = 20;  // the grid's first row starts here
  int32_t CellW = 40, CellH = 40;
  int32_t Column = 1, Row = 1;
};

// A finger that moves at least this far (picture pixels) swipes.
inline constexpr int32_t kSwipeDistance = 24;

// A swipe presses the arrow key of its main direction, in play and in the menus alike. In play,
// a tap on one of the four cells next to the Dragon's presses the arrow key towards it; a tap
// anywhere else (and every tap outside play) is a click where the finger lifted.
TTouchAction TouchAction(TPoint down, TPoint up, bool playing, const TTouchPond& pond);
