// Keys and the pointer as the game sees them: the characters key presses type, the codes of
// SDL's keys, and where the pointer is.
#include <gtest/gtest.h>

#include <vector>

#include "front/app_loop.h"
#include "platform/keys.h"
#include "platform/sdl_keys.h"
#include "platform/video.h"

namespace {

TEST(KeyInput, KeysThatTypeACharacter) {
  struct Case {
    int32_t key;
    uint32_t shift;
    char typed;
  };
  for (const Case& c : {Case{vk::Return, 0, 13}, Case{vk::Escape, 0, 27}, Case{vk::Back, 0, 8},
                        Case{vk::Return, vk::ssShift, 13}, Case{vk::Return, vk::ssAlt, 0},
                        Case{vk::Back, vk::ssAlt, 0}, Case{vk::Space, 0, 0}, Case{'A', 0, 0}}) {
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
    uint16_t mod = KMOD_NONE;
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
           // The keypad: arrows with NumLock off, digits with it on.
           Case{SDLK_KP_8, SDL_SCANCODE_KP_8, 38},
           Case{SDLK_KP_4, SDL_SCANCODE_KP_4, 37},
           Case{SDLK_KP_6, SDL_SCANCODE_KP_6, 39},
           Case{SDLK_KP_2, SDL_SCANCODE_KP_2, 40},
           Case{SDLK_KP_5, SDL_SCANCODE_KP_5, 12},
           Case{SDLK_KP_8, SDL_SCANCODE_KP_8, 104, KMOD_NUM},
           Case{SDLK_KP_0, SDL_SCANCODE_KP_0, 96, KMOD_NUM | KMOD_SHIFT},
           Case{SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 13, KMOD_NUM},
       }) {
    EXPECT_EQ(KeyCodeFromSdl(c.key, c.where, c.mod), c.code)
        << c.key << " at " << c.where << " mod " << c.mod;
  }
}

}  // namespace

namespace {

// The id of the newest SDL window: the game window just opened.
uint32_t NewestWindowId() {
  uint32_t newest = 0;
  for (uint32_t id = 1; id < 10000; ++id)
    if (SDL_GetWindowFromID(id)) newest = id;
  return newest;
}

SDL_Event WindowEvent(SDL_WindowEventID what, uint32_t windowId) {
  SDL_Event ev{};
  ev.type = SDL_WINDOWEVENT;
  ev.window.event = static_cast<uint8_t>(what);
  ev.window.windowID = windowId;
  return ev;
}

// The window's own events, through the SDL window on the headless video driver.
TEST(PointerInput, ThePointerLeavingTheWindowIsOutsideThePicture) {
  const auto video = CreateSdlVideo();
  video->Open(640, 480, 32);
  const uint32_t id = NewestWindowId();
  const auto send = [&](SDL_Event ev) {
    SDL_PushEvent(&ev);
    TInputEvent e;
    while (video->PollEvent(e)) {
    }
  };
  const auto windowEvent = [&](SDL_WindowEventID what) { return WindowEvent(what, id); };
  const auto motion = [](int x, int y) {
    SDL_Event ev{};
    ev.type = SDL_MOUSEMOTION;
    ev.motion.x = x;
    ev.motion.y = y;
    return ev;
  };
  send(motion(100, 50));
  EXPECT_EQ(video->PointerPosition(), (TPoint{100, 50}));
  send(windowEvent(SDL_WINDOWEVENT_LEAVE));
  const TPoint outside = video->PointerPosition();
  EXPECT_TRUE(outside.X < 0 || outside.Y < 0 || outside.X >= 640 || outside.Y >= 480);
  send(windowEvent(SDL_WINDOWEVENT_ENTER));
  send(motion(639, 479));
  EXPECT_EQ(video->PointerPosition(), (TPoint{639, 479}));
}

}  // namespace

namespace {

// Focus as the game sees it. A Wayland compositor takes the keyboard focus away and gives it
// back at once whenever another keyboard of the seat brings its key map (a virtual keyboard,
// one plugged in): that must not pause the game. Events of another window (the launcher's,
// closed before the game window opened) are not the game window's.
TEST(FocusInput, OnlyALastingLossOfTheGameWindowsFocusCounts) {
  const auto video = CreateSdlVideo();
  video->Open(640, 480, 32);
  const uint32_t id = NewestWindowId();
  ASSERT_NE(id, 0u);
  struct Case {
    const char* name;
    std::vector<SDL_Event> queued;
    std::vector<TInputEvent::TKind> seen;
  };
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.keysym.sym = SDLK_DOWN;
  key.key.keysym.scancode = SDL_SCANCODE_DOWN;
  key.key.windowID = id;
  const std::vector<Case> cases = {
      {"lost", {WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST, id)}, {TInputEvent::FocusLost}},
      {"gained", {WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED, id)}, {TInputEvent::FocusGained}},
      {"lost and back at once",
       {WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST, id), WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED, id),
        key},
       {TInputEvent::KeyDown}},
      {"lost and back behind a key",
       {WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST, id), key,
        WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED, id)},
       {TInputEvent::KeyDown}},
      {"back twice: the second gain stays",
       {WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST, id), WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED, id),
        WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED, id)},
       {TInputEvent::FocusGained}},
      {"another window's gain does not undo the loss",
       {WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST, id),
        WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED, id + 1000)},
       {TInputEvent::FocusLost}},
      {"another window's events",
       {WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST, id + 1000),
        WindowEvent(SDL_WINDOWEVENT_CLOSE, id + 1000)},
       {}},
  };
  for (const Case& c : cases) {
    TInputEvent e;
    while (video->PollEvent(e)) {
    }
    for (SDL_Event ev : c.queued) SDL_PushEvent(&ev);
    std::vector<TInputEvent::TKind> seen;
    while (video->PollEvent(e)) seen.push_back(e.Kind);
    EXPECT_EQ(seen, c.seen) << c.name;
  }
}

}  // namespace
