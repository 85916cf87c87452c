#include "platform/sdl_keys.h"

namespace {

// The keypad with NumLock off: the keys printed under the digits (arrows, Home, End, Page Up,
// Page Down, Insert, Delete; the middle key is Clear).
int32_t KeypadMeaning(SDL_Scancode sc) {
  switch (sc) {
    case SDL_SCANCODE_KP_1:
      return 35;
    case SDL_SCANCODE_KP_2:
      return 40;
    case SDL_SCANCODE_KP_3:
      return 34;
    case SDL_SCANCODE_KP_4:
      return 37;
    case SDL_SCANCODE_KP_5:
      return 12;
    case SDL_SCANCODE_KP_6:
      return 39;
    case SDL_SCANCODE_KP_7:
      return 36;
    case SDL_SCANCODE_KP_8:
      return 38;
    case SDL_SCANCODE_KP_9:
      return 33;
    case SDL_SCANCODE_KP_0:
      return 45;
    case SDL_SCANCODE_KP_PERIOD:
      return 46;
    default:
      return 0;
  }
}

}  // namespace

int32_t KeyCodeFromSdl(SDL_Keycode key, SDL_Scancode sc, uint16_t mod) {
  if (!(mod & KMOD_NUM)) {
    if (const int32_t code = KeypadMeaning(sc)) return code;
  }
  // Letters as the layout marks them (the key marked Y answers "Y" on every Latin layout);
  // digits by their position, as the top row gives them even where it types other signs.
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return '1' + (sc - SDL_SCANCODE_1);
  if (sc == SDL_SCANCODE_0) return '0';
  if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return 112 + (sc - SDL_SCANCODE_F1);
  if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9) return 97 + (sc - SDL_SCANCODE_KP_1);
  switch (sc) {
    case SDL_SCANCODE_KP_0:
      return 96;
    case SDL_SCANCODE_KP_ENTER:
      return 13;
    case SDL_SCANCODE_KP_MULTIPLY:
      return 106;
    case SDL_SCANCODE_KP_PLUS:
      return 107;
    case SDL_SCANCODE_KP_MINUS:
      return 109;
    case SDL_SCANCODE_KP_PERIOD:
      return 110;
    case SDL_SCANCODE_KP_DIVIDE:
      return 111;
    default:
      break;
  }
  switch (key) {
    case SDLK_BACKSPACE:
      return 8;
    case SDLK_TAB:
      return 9;
    case SDLK_RETURN:
      return 13;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
      return 16;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return 17;
    case SDLK_LALT:
    case SDLK_RALT:
      return 18;
    case SDLK_PAUSE:
      return 19;
    case SDLK_CAPSLOCK:
      return 20;
    case SDLK_ESCAPE:
      return 27;
    case SDLK_SPACE:
      return 32;
    case SDLK_PAGEUP:
      return 33;
    case SDLK_PAGEDOWN:
      return 34;
    case SDLK_END:
      return 35;
    case SDLK_HOME:
      return 36;
    case SDLK_LEFT:
      return 37;
    case SDLK_UP:
      return 38;
    case SDLK_RIGHT:
      return 39;
    case SDLK_DOWN:
      return 40;
    case SDLK_PRINTSCREEN:
      return 44;
    case SDLK_INSERT:
      return 45;
    case SDLK_DELETE:
      return 46;
    case SDLK_LGUI:
      return 91;
    case SDLK_RGUI:
      return 92;
    case SDLK_APPLICATION:
      return 93;
    case SDLK_NUMLOCKCLEAR:
      return 144;
    case SDLK_SCROLLLOCK:
      return 145;
    case SDLK_SEMICOLON:
      return 186;
    case SDLK_EQUALS:
      return 187;
    case SDLK_COMMA:
      return 188;
    case SDLK_MINUS:
      return 189;
    case SDLK_PERIOD:
      return 190;
    case SDLK_SLASH:
      return 191;
    case SDLK_BACKQUOTE:
      return 192;
    case SDLK_LEFTBRACKET:
      return 219;
    case SDLK_BACKSLASH:
      return 220;
    case SDLK_RIGHTBRACKET:
      return 221;
    case SDLK_QUOTE:
      return 222;
    default:
      break;
  }
  // A letter of a layout without Latin letters: by its position.
  if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 'A' + (sc - SDL_SCANCODE_A);
  return 255;
}

uint32_t ShiftFromSdl(uint16_t mod) {
  uint32_t s = 0;
  if (mod & KMOD_SHIFT) s |= 1;
  if (mod & KMOD_ALT) s |= 2;
  if (mod & KMOD_CTRL) s |= 4;
  return s;
}
