#include "platform/open_url.h"

#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

namespace {

// True when `program` is an executable file in one of the PATH folders.
bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path && *path ? path : "/usr/local/bin:/usr/bin:/bin");
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    const std::filesystem::path file =
        std::filesystem::path(folder.empty() ? "." : folder) / program;
    if (access(file.c_str(), X_OK) == 0) return true;
  }
  return false;
}

}  // namespace

bool OpenUrl(const std::string& address) {
  // SDL starts xdg-open in a process of its own and does not wait for it; a missing xdg-open
  // would go unnoticed there, so it is looked for first.
  if (!OnPath("xdg-open")) {
    std::fprintf(stderr, "Tarvelle: cannot open %s: xdg-open was not found (package xdg-utils)\n",
                 address.c_str());
    return false;
  }
  if (SDL_OpenURL(address.c_str()) != 0) {
    std::fprintf(stderr, "Tarvelle: cannot open %s: %s\n", address.c_str(), SDL_GetError());
    return false;
  }
  return true;
}
