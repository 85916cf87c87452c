#include <SDL.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/paths.h"
#include "platform/wide_text_windows.h"

namespace fs = std::filesystem;

namespace paths {
namespace {

std::string homeOverride;

// Windows takes '/' as well as '\'; the game joins names with '/'.
std::string WithSlash(std::string s) {
  for (char& c : s)
    if (c == '\\') c = '/';
  if (!s.empty() && s.back() != '/') s += '/';
  return s;
}

// The user's roaming application data (%APPDATA%), where SDL's pref path for the game lies.
std::string AppDataFolder() {
  if (char* pref = SDL_GetPrefPath("Morvane", "Tarvelle")) {
    std::string folder = WithSlash(pref);
    SDL_free(pref);
    const std::string tail = "Morvane/Tarvelle/";
    if (folder.size() > tail.size() && folder.ends_with(tail))
      return folder.substr(0, folder.size() - tail.size());
  }
  // A profile where the folder cannot be made: the path all the same, the save then says so.
  if (const wchar_t* appData = _wgetenv(L"APPDATA"); appData && *appData)
    return WithSlash(wide::ToUtf8(appData));
  return ExecutableFolder();
}

}  // namespace

std::string ExecutableFolder() {
  char* base = SDL_GetBasePath();
  if (!base) return "./";
  const std::string folder = WithSlash(base);
  SDL_free(base);
  return folder;
}

std::string ConfigHome() {
  return homeOverride.empty() ? AppDataFolder() : homeOverride;
}
std::string DataHome() {
  return ConfigHome();
}

void OverrideHome(const std::string& folder) {
  homeOverride = folder.empty() ? "" : WithSlash(folder);
}

bool HomeOverridden() {
  return !homeOverride.empty();
}

std::FILE* OpenFile(const std::string& utf8, const char* mode) {
  return _wfopen(wide::FromUtf8(utf8).c_str(), wide::FromUtf8(mode).c_str());
}

bool IsPlainFile(std::FILE* f) {
  struct _stat64 st {};
  return _fstat64(_fileno(f), &st) == 0 && (st.st_mode & _S_IFMT) == _S_IFREG;
}

bool MakeFolders(const std::string& folder) {
  std::error_code ec;
  const fs::path path = PathOf(folder);
  fs::create_directories(path, ec);
  return fs::is_directory(path, ec);
}

}  // namespace paths
