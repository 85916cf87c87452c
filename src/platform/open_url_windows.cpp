#include <SDL.h>

#include <cstdio>

#include "platform/open_url.h"

bool OpenUrl(const std::string& address) {
  // Windows hands the address to the user's browser itself.
  if (SDL_OpenURL(address.c_str()) != 0) {
    std::fprintf(stderr, "Tarvelle: cannot open %s: %s\n", address.c_str(), SDL_GetError());
    return false;
  }
  return true;
}
