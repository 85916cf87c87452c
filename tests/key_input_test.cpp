// Keys as the game sees them: the characters key presses type, and the codes of SDL's keys.
#include <gtest/gtest.h>

#include "front/keys.h"
#include "game/app_loop.h"
#include "platform/sdl_keys.h"

namespace {

TEST(KeyInput, KeysThatTypeACharacter) {
  struct Case {
    int32_t key;
    uint32_t shift;
    char typed;
  };
  for (const Case& c : {Case{VK_RETURN, 0, 13}, Case{VK_ESCAPE, 0, 27}, Case{VK_BACK, 0, 8},
                        Case{VK_RETURN, ssShift, 13}, Case{VK_RETURN, ssAlt, 0},
                        Case{VK_BACK, ssAlt, 0}, Case{VK_SPACE, 0, 0}, Case{'A', 0, 0}}) {
    EXPECT_EQ(KeyCharacter(c.key, c.shift), c.typed) << c.key << " shift " << c.shift;
  }
}

}  // namespace

namespace {

TEST(KeyInput, SdlKeysBecomeTheGamesCodes) {
  struct Case {
    SDL_Keycode key;
    SDL_Scancode where;
    int32_t code;
  };
  for (const Case& c : {
           Case{SDLK_y, SDL_SCANCODE_Y, 89},
           Case{SDLK_y, SDL_SCANCODE_Z, 89},  // the key marked Y on a German keyboard
           Case{SDLK_z, SDL_SCANCODE_Y, 90},
           Case{SDLK_a, SDL_SCANCODE_Q, 65},  // French: A where others have Q
           Case{SDLK_COMMA, SDL_SCANCODE_M, 188},
           Case{0x43d, SDL_SCANCODE_Y, 89},  // a letter of a non-Latin layout: by position
           Case{SDLK_AMPERSAND, SDL_SCANCODE_1, '1'},
           Case{SDLK_RETURN, SDL_SCANCODE_RETURN, 13},
           Case{SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 13},
           Case{SDLK_F2, SDL_SCANCODE_F2, 113},
           Case{SDLK_PAUSE, SDL_SCANCODE_PAUSE, 19},
           Case{SDLK_LEFT, SDL_SCANCODE_LEFT, 37},
           Case{SDLK_MUTE, SDL_SCANCODE_MUTE, 255},
       }) {
    EXPECT_EQ(KeyCodeFromSdl(c.key, c.where), c.code) << c.key << " at " << c.where;
  }
}

}  // namespace
