#pragma once
#include <SDL.h>

#include <memory>

// Owners of SDL handles.
struct TSdlDeleter {
  void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
  void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
  void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using TSdlWindow = std::unique_ptr<SDL_Window, TSdlDeleter>;
using TSdlRenderer = std::unique_ptr<SDL_Renderer, TSdlDeleter>;
using TSdlTexture = std::unique_ptr<SDL_Texture, TSdlDeleter>;
using TSdlSurface = std::unique_ptr<SDL_Surface, TSdlDeleter>;

// Waits until SDL's audio, shut down aside after a device that would not open, is down: SDL
// counts its subsystems without a lock, so no other starts or stops while that runs.
void FinishAudioShutdown();

// Keeps an SDL subsystem initialised for as long as it lives.
class TSdlSubsystem {
 public:
  explicit TSdlSubsystem(uint32_t flags)
      : flags_(flags), ok_((FinishAudioShutdown(), SDL_InitSubSystem(flags) == 0)) {}
  ~TSdlSubsystem() {
    FinishAudioShutdown();
    if (ok_) SDL_QuitSubSystem(flags_);
    // The last one out lets SDL release everything it holds (its D-Bus connection too).
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
  }
  TSdlSubsystem(const TSdlSubsystem&) = delete;
  TSdlSubsystem& operator=(const TSdlSubsystem&) = delete;
  bool Ok() const { return ok_; }

 private:
  uint32_t flags_;
  bool ok_;
};
