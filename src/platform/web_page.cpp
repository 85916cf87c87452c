#include "platform/web_page.h"

#include <SDL.h>
#include <emscripten.h>

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <string>

namespace web_page {

void ShowMessage(const std::string& title, const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
  EM_ASM({ if (Module.onMessage) Module.onMessage(UTF8ToString($0), UTF8ToString($1)); },
         title.c_str(), message.c_str());
}

void GameEnded() {
  EM_ASM({ if (Module.onGameEnded) setTimeout(Module.onGameEnded, 0); });
}

void StorageLost(TStorageLoss why) {
  EM_ASM({ if (Module.onStorageLost) Module.onStorageLost($0); }, static_cast<int>(why));
}

void TextInput(bool on) {
  EM_ASM({ if (Module.onTextInput) Module.onTextInput($0 != 0); }, on ? 1 : 0);
}

void FirstFrame() {
  EM_ASM({ if (Module.onFirstFrame) Module.onFirstFrame(); });
}

void StateChanged(int state, bool typing, bool asking) {
  EM_ASM({ if (Module.onState) Module.onState($0, $1 != 0, $2 != 0); }, state, typing ? 1 : 0,
         asking ? 1 : 0);
}

std::string PageOrigin() {
  char origin[512] = {};
  EM_ASM({
    const o = location.protocol === "http:" || location.protocol === "https:" ? location.origin : "";
    stringToUTF8(o, $0, $1);
  }, origin, static_cast<int>(sizeof origin));
  return origin;
}

void ReplayEnded(int score, bool exact) {
  EM_ASM({ if (Module.onReplayEnded) Module.onReplayEnded($0, $1 != 0); }, score, exact ? 1 : 0);
}

void PushKey(int sdlKey) {
  SDL_Event e{};
  e.key.keysym.sym = sdlKey;
  e.key.keysym.scancode = SDL_GetScancodeFromKey(sdlKey);
  e.key.keysym.mod = KMOD_NONE;
  for (const Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
    e.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&e);
  }
}

}  // namespace web_page

extern "C" {

// Text typed on the page's own keyboard (a phone's), handed to the game as typed text.
EMSCRIPTEN_KEEPALIVE void tarvelle_type(const char* utf8) {
  // One character an event: each fits the event's text field.
  for (const char* p = utf8; *p;) {
    size_t n = 1;
    while (p[n] && (static_cast<unsigned char>(p[n]) & 0xC0) == 0x80) ++n;
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::memcpy(e.text.text, p, std::min(n, sizeof e.text.text - 1));
    SDL_PushEvent(&e);
    p += n;
  }
}

}  // extern "C"
