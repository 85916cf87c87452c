#include "front/touch_gesture.h"

#include <cstdlib>

#include "platform/keys.h"

namespace {

int32_t FloorDiv(int32_t a, int32_t b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace

TTouchAction TouchAction(TPoint down, TPoint up, bool playing, const TTouchPond& pond) {
  TTouchAction a;
  a.X = up.X;
  a.Y = up.Y;
  const int32_t dx = up.X - down.X, dy = up.Y - down.Y;
  if (std::abs(dx) >= kSwipeDistance || std::abs(dy) >= kSwipeDistance) {
    a.Kind = TTouchAction::Arrow;
    if (std::abs(dx) >= std::abs(dy))
      a.Key = dx > 0 ? vk::Right : vk::Left;
    else
      a.Key = dy > 0 ? vk::Down : vk::Up;
    return a;
  }
  if (!playing || pond.CellW <= 0 || pond.CellH <= 0) return a;
  // The cell the finger lifted on, counted as the game counts them (from 1).
  const int32_t column = FloorDiv(up.X, pond.CellW) + 1;
  const int32_t row = FloorDiv(up.Y - pond.Top, pond.CellH) + 1;
  const int32_t dc = column - pond.Column, dr = row - pond.Row;
  if (std::abs(dc) + std::abs(dr) != 1) return a;
  a.Kind = TTouchAction::Arrow;
  a.Key = dc > 0 ? vk::Right : dc < 0 ? vk::Left : dr > 0 ? vk::Down : vk::Up;
  return a;
}
