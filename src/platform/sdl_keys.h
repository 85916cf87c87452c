#pragma once
#include <SDL.h>

#include <cstdint>

// The game's key code for an SDL key (platform/keys.h: letters as the layout
// marks them, digits by position); 255 for keys that have no code of their own, so that "any
// key" still sees them. The keypad's digit keys give digits with NumLock on (in mod) and the
// keys printed under them with NumLock off (8, 4, 6, 2 are the arrows).
int32_t KeyCodeFromSdl(SDL_Keycode key, SDL_Scancode scancode, uint16_t mod);
// The modifier flags of the game (vk::ssShift, vk::ssAlt, vk::ssCtrl).
uint32_t ShiftFromSdl(uint16_t mod);
