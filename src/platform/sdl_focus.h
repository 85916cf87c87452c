#pragma once
#include <SDL.h>

// Whether a window that SDL reports as having lost the keyboard focus gets it back at once:
// the gain is already queued behind the loss (then it is taken out of the queue). Wayland
// compositors take the focus away and give it back whenever another keyboard of the seat
// (a virtual one, one plugged in) brings its own key map; that is no loss for the player.
bool FocusComesBackAtOnce(SDL_Window* window);
