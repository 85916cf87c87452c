#include "platform/sdl_focus.h"

namespace {

bool IsFocusGain(const SDL_Event& e, Uint32 windowId) {
  return e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED &&
         e.window.windowID == windowId;
}

bool QueuedGain(Uint32 windowId) {
  SDL_Event queued[64];
  const int n = SDL_PeepEvents(queued, 64, SDL_PEEKEVENT, SDL_WINDOWEVENT, SDL_WINDOWEVENT);
  for (int i = 0; i < n; ++i)
    if (IsFocusGain(queued[i], windowId)) return true;
  return false;
}

struct TRemoveOneGain {
  Uint32 WindowId;
  bool Removed = false;
};

int KeepAllButOneGain(void* data, SDL_Event* e) {
  auto* r = static_cast<TRemoveOneGain*>(data);
  if (r->Removed || !IsFocusGain(*e, r->WindowId)) return 1;
  r->Removed = true;
  return 0;
}

}  // namespace

bool FocusComesBackAtOnce(SDL_Window* window) {
  if (!window) return false;
  const Uint32 id = SDL_GetWindowID(window);
  // The compositor sends the loss and the gain together; a read of what else has come in
  // catches a gain that was not yet taken from the connection.
  if (!QueuedGain(id)) {
    SDL_PumpEvents();
    if (!QueuedGain(id)) return false;
  }
  TRemoveOneGain r{id};
  SDL_FilterEvents(KeepAllButOneGain, &r);
  return r.Removed;
}
