#include "platform/sdl_keys.h"

#include "platform/keys.h"

namespace {

// The keypad with NumLock off: the keys printed under the digits (arrows, Home, End, Page Up,
// Page Down, Insert, Delete; the middle key is Clear).
int32_t KeypadMeaning(SDL_Scancode sc) {
  switch (sc) {
    case SDL_SCANCODE_KP_1:
      return vk::End;
    case SDL_SCANCODE_KP_2:
      return vk::Down;
    case SDL_SCANCODE_KP_3:
      return vk::PageDown;
    case SDL_SCANCODE_KP_4:
      return vk::Left;
    case SDL_SCANCODE_KP_5:
      return vk::Clear;
    case SDL_SCANCODE_KP_6:
      return vk::Right;
    case SDL_SCANCODE_KP_7:
      return vk::Home;
    case SDL_SCANCODE_KP_8:
      return vk::Up;
    case SDL_SCANCODE_KP_9:
      return vk::PageUp;
    case SDL_SCANCODE_KP_0:
      return vk::Insert;
    case SDL_SCANCODE_KP_PERIOD:
      return vk::Delete;
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
  if (key >= SDLK_a && key <= SDLK_z) return vk::A + (key - SDLK_a);
  if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return vk::Digit0 + 1 + (sc - SDL_SCANCODE_1);
  if (sc == SDL_SCANCODE_0) return vk::Digit0;
  if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return vk::F1 + (sc - SDL_SCANCODE_F1);
  if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9) return vk::Numpad0 + 1 + (sc - SDL_SCANCODE_KP_1);
  switch (sc) {
    case SDL_SCANCODE_KP_0:
      return vk::Numpad0;
    case SDL_SCANCODE_KP_ENTER:
      return vk::Return;
    case SDL_SCANCODE_KP_MULTIPLY:
      return vk::Multiply;
    case SDL_SCANCODE_KP_PLUS:
      return vk::Add;
    case SDL_SCANCODE_KP_MINUS:
      return vk::Subtract;
    case SDL_SCANCODE_KP_PERIOD:
      return vk::Decimal;
    case SDL_SCANCODE_KP_DIVIDE:
      return vk::Divide;
    default:
      break;
  }
  switch (key) {
    case SDLK_BACKSPACE:
      return vk::Back;
    case SDLK_TAB:
      return vk::Tab;
    case SDLK_RETURN:
      return vk::Return;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
      return vk::Shift;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return vk::Control;
    case SDLK_LALT:
    case SDLK_RALT:
      return vk::Alt;
    case SDLK_PAUSE:
      return vk::Pause;
    case SDLK_CAPSLOCK:
      return vk::CapsLock;
    case SDLK_ESCAPE:
      return vk::Escape;
    case SDLK_SPACE:
      return vk::Space;
    case SDLK_PAGEUP:
      return vk::PageUp;
    case SDLK_PAGEDOWN:
      return vk::PageDown;
    case SDLK_END:
      return vk::End;
    case SDLK_HOME:
      return vk::Home;
    case SDLK_LEFT:
      return vk::Left;
    case SDLK_UP:
      return vk::Up;
    case SDLK_RIGHT:
      return vk::Right;
    case SDLK_DOWN:
      return vk::Down;
    case SDLK_PRINTSCREEN:
      return vk::PrintScreen;
    case SDLK_INSERT:
      return vk::Insert;
    case SDLK_DELETE:
      return vk::Delete;
    case SDLK_LGUI:
      return vk::LeftSystem;
    case SDLK_RGUI:
      return vk::RightSystem;
    case SDLK_APPLICATION:
      return vk::Menu;
    case SDLK_NUMLOCKCLEAR:
      return vk::NumLock;
    case SDLK_SCROLLLOCK:
      return vk::ScrollLock;
    case SDLK_SEMICOLON:
      return vk::Semicolon;
    case SDLK_EQUALS:
      return vk::Equals;
    case SDLK_COMMA:
      return vk::Comma;
    case SDLK_MINUS:
      return vk::Minus;
    case SDLK_PERIOD:
      return vk::Period;
    case SDLK_SLASH:
      return vk::Slash;
    case SDLK_BACKQUOTE:
      return vk::BackQuote;
    case SDLK_LEFTBRACKET:
      return vk::LeftBracket;
    case SDLK_BACKSLASH:
      return vk::Backslash;
    case SDLK_RIGHTBRACKET:
      return vk::RightBracket;
    case SDLK_QUOTE:
      return vk::Quote;
    default:
      break;
  }
  // A letter of a layout without Latin letters: by its position.
  if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return vk::A + (sc - SDL_SCANCODE_A);
  return vk::Other;
}

uint32_t ShiftFromSdl(uint16_t mod) {
  uint32_t s = 0;
  if (mod & KMOD_SHIFT) s |= vk::ssShift;
  if (mod & KMOD_ALT) s |= vk::ssAlt;
  if (mod & KMOD_CTRL) s |= vk::ssCtrl;
  return s;
}
