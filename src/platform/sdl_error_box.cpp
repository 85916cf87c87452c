#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/video.h"

void ShowErrorBox(const std::string& title, const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
  // No box where no one can click it away: the dummy driver, in use or asked for (the error
  // may come before any window was opened).
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver) driver = std::getenv("SDL_VIDEODRIVER");
  if (driver && std::strcmp(driver, "dummy") == 0) return;
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), message.c_str(), nullptr);
}
