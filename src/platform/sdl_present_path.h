#pragma once
#include <SDL.h>

#include <string>

#include "platform/sdl_handles.h"

// How the game window shows its picture: through an SDL renderer (a texture uploaded each
// frame) or by copying into the window's own surface. The renderer is kept only where it is
// really accelerated: a GL driver that rasterises in software costs several times more per
// frame than the window surface, and tens of megabytes of memory. SDL's own hint
// (SDL_RENDER_DRIVER) forces the renderer it names. Where the chosen way can't be had, the
// other is taken: a driver without a window surface of its own gets a renderer even when GL
// draws in software, a window without a renderer its surface.
struct TPresentPath {
  TSdlWindow Window;      // hidden, made with the given size and flags; none: Error says why
  TSdlRenderer Renderer;  // none: present through the window surface
  std::string Why;        // one line for the log
  std::string Error;      // why neither way works, with SDL's own reasons
};

TPresentPath ChoosePresentPath(int width, int height, uint32_t windowFlags);

// Milliseconds since the process started (on Linux from the kernel's record of its start, so
// the loading of the libraries counts too).
uint32_t MsSinceStart();
