// The game pad's stick: position reports turned into menu moves, hops and option keys.
#include <cstdlib>

#include "actors/dragon.h"
#include "core/globals.h"
#include "front/input.h"
#include "platform/keys.h"
#include "front/screen_calls.h"
#include "game/replay_recorder.h"
#include "platform/clock.h"

namespace {

// Full deflection gives about -16 or +16; the stick must be pushed past 8 to count.
constexpr int32_t DeadZone = 8;

// Along an exact diagonal only a move along the edge of the board is made.
void DiagonalHop(int32_t dx, int32_t dy) {
  const int32_t col = Dragon->Column, row = Dragon->Row;
  if (row == 1 || row == G.GridRows) {
    if (dx >= 0 && col < G.GridCols) {
      RequestJump(1, 0);
      return;
    }
    if (dx < 0 && col != 1) {
      RequestJump(-1, 0);
      return;
    }
  }
  if (col == 1 || col == G.GridCols) {
    if (dy < 0) {
      if (row != 1) RequestJump(0, -1);
    } else if (row < G.GridRows) {
      RequestJump(0, 1);
    }
  }
}

void Hop(int32_t dx, int32_t dy) {
  if (!Dragon || Dragon->Hopping()) return;
  const int32_t ax = std::abs(dx), ay = std::abs(dy);
  if (ax > ay)
    RequestJump(dx < 0 ? -1 : 1, 0);
  else if (ay > ax)
    RequestJump(0, dy < 0 ? -1 : 1);
  else
    DiagonalHop(dx, dy);
}

// In repeat mode a stick held one way makes one step per JoyRepeat reports. False when this
// report makes no step.
bool RepeatStep(int32_t& dx, int32_t& dy) {
  if (dx > DeadZone) {
    ++G.JoyRight;
    G.JoyLeft = 0;
  } else if (dx < -DeadZone) {
    ++G.JoyLeft;
    G.JoyRight = 0;
  }
  if (dy > DeadZone) {
    ++G.JoyDown;
    G.JoyUp = 0;
  } else if (dy < -DeadZone) {
    ++G.JoyUp;
    G.JoyDown = 0;
  }
  int32_t sx = 0, sy = 0;
  if (G.JoyLeft >= G.JoyRepeat) {
    G.JoyLeft = 0;
    sx = -16;
  }
  if (G.JoyRight >= G.JoyRepeat) {
    G.JoyRight = 0;
    sx = 16;
  }
  if (G.JoyUp >= G.JoyRepeat) {
    G.JoyUp = 0;
    sy = -16;
  }
  if (G.JoyDown >= G.JoyRepeat) {
    G.JoyDown = 0;
    sy = 16;
  }
  if (sx == 0 && sy == 0) return false;
  if (sy == 0) G.JoyUp = G.JoyDown = 0;
  if (sx == 0) G.JoyLeft = G.JoyRight = 0;
  dx = sx;
  dy = sy;
  return true;
}

}  // namespace

void TMainForm::JoyMove(uint32_t position) {
  // The stick's centre comes with the report: a replay needs it too.
  const TTapeCallGuard tape(tcJoyMove, static_cast<int32_t>(position), G.AxisCentreX,
                            G.AxisCentreY);
  if (G.ModeSwitching || !DXTimer1.Enabled()) return;
  if (G.JoyRepeatMode) {
    const uint32_t now = static_cast<uint32_t>(game_clock::Now());
    const auto gap = static_cast<int32_t>(now - G.JoyLastTime);
    G.JoyLastTime = now;
    // A pause between reports starts the count afresh; the report after it is dropped.
    if (gap > 200 || gap < -200) {
      G.JoyLeft = G.JoyRight = G.JoyUp = G.JoyDown = 0;
      return;
    }
  }
  // The centres are never 0 (the pad layer sees to it); guard all the same.
  const int32_t cx = G.AxisCentreX > 0 ? G.AxisCentreX : 32768;
  const int32_t cy = G.AxisCentreY > 0 ? G.AxisCentreY : 32768;
  int32_t dx = (static_cast<int32_t>(position & 0xFFFF) - cx) * 16 / cx;
  int32_t dy = (static_cast<int32_t>(position >> 16) - cy) * 16 / cy;
  const bool quietX = std::abs(dx) < DeadZone, quietY = std::abs(dy) < DeadZone;
  if (quietX) G.JoyLeft = G.JoyRight = 0;
  if (quietY) G.JoyUp = G.JoyDown = 0;
  if (quietX && quietY) return;
  if (G.JoyRepeatMode && !RepeatStep(dx, dy)) return;

  switch (G.GameState) {
    case gsMenu:
      if (dy < -1)
        MoveSelection(-1);
      else if (dy >= 2)
        MoveSelection(1);
      break;
    case gsPlaying:
      Hop(dx, dy);
      break;
    case gsOptions:
      if (dx > 1) OptionsKey(vk::Right);
      if (dx < -1) OptionsKey(vk::Left);
      if (dy > 1) OptionsKey(vk::Down);
      if (dy < -1) OptionsKey(vk::Up);
      break;
    default:
      break;
  }
}

void TMainForm::JoyButUp(uint32_t buttons) {
  const TTapeCallGuard tape(tcJoyButUp, static_cast<int32_t>(buttons));
}
