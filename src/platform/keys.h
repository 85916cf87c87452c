#pragma once
#include <cstdint>

// The game's key codes: the Windows virtual-key numbering, which demo files and replays store
// (the values never change). Letters are their capitals and digits their characters ('A',
// '7'), so vk::A + n is the n-th letter.
namespace vk {

enum : int32_t {
  Back = 8,  // Backspace
  Tab = 9,
  Clear = 12,  // the keypad's middle key with NumLock off
  Return = 13,
  Shift = 16,
  Control = 17,
  Alt = 18,
  Pause = 19,
  CapsLock = 20,
  Escape = 27,
  Space = 32,
  PageUp = 33,
  PageDown = 34,
  End = 35,
  Home = 36,
  Left = 37,
  Up = 38,
  Right = 39,
  Down = 40,
  PrintScreen = 44,
  Insert = 45,
  Delete = 46,
  Digit0 = '0',  // .. Digit0 + 9
  A = 'A',       // .. Z
  N = 'N',
  P = 'P',
  Y = 'Y',
  Z = 'Z',
  LeftSystem = 91,
  RightSystem = 92,
  Menu = 93,
  Numpad0 = 96,  // .. Numpad0 + 9
  Multiply = 106,
  Add = 107,
  Subtract = 109,
  Decimal = 110,
  Divide = 111,
  F1 = 112,  // .. F1 + 11
  F2 = 113,
  F4 = 115,
  F5 = 116,
  F9 = 120,
  F10 = 121,
  F11 = 122,
  F12 = 123,
  NumLock = 144,
  ScrollLock = 145,
  Semicolon = 186,
  Equals = 187,
  Comma = 188,
  Minus = 189,
  Period = 190,
  Slash = 191,
  BackQuote = 192,
  LeftBracket = 219,
  Backslash = 220,
  RightBracket = 221,
  Quote = 222,
  Other = 255,  // a key without a code of its own ("any key" still sees it)
};

// The four arrows in the order of the Dragon's moves: Left + move (0 left, 1 up, 2 right,
// 3 down).
constexpr int32_t Arrow(int move) {
  return Left + move;
}

// Modifier flags that come with key events.
enum : uint32_t { ssShift = 1, ssAlt = 2, ssCtrl = 4 };

}  // namespace vk
