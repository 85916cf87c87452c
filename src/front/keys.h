#pragma once
#include <cstdint>

// Key codes of the game (the Windows virtual-key numbering).
enum : int32_t {
  VK_BACK = 8,
  VK_RETURN = 13,
  VK_PAUSE = 19,
  VK_ESCAPE = 27,
  VK_SPACE = 32,
  VK_LEFT = 37,
  VK_UP = 38,
  VK_RIGHT = 39,
  VK_DOWN = 40,
  VK_N = 78,
  VK_P = 80,
  VK_Y = 89,
  VK_F2 = 113,
  VK_F4 = 115,
};

// Modifier flags that come with key events.
enum : uint32_t { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
