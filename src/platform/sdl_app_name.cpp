#include <SDL.h>

#include "platform/video.h"

void NameSdlApplication(const std::string& name, const std::string& desktopId) {
  SDL_SetHint(SDL_HINT_APP_NAME, name.c_str());
  // The window's application id on Wayland and its class on X11: the desktop entry's id, so
  // that docks and task bars show the entry's name and icon. SDL 2.26 reads them from the
  // environment when the video driver starts; later releases from the hint.
  SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", desktopId.c_str(), 1);
  SDL_setenv("SDL_VIDEO_X11_WMCLASS", desktopId.c_str(), 1);
  SDL_SetHint("SDL_APP_ID", desktopId.c_str());
}
