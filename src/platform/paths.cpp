#include "platform/paths.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace paths {
namespace {

std::string homeOverride;

std::string WithSlash(std::string s) {
  if (!s.empty() && s.back() != '/') s += '/';
  return s;
}

std::string XdgFolder(const char* var, const char* fallback) {
  if (!homeOverride.empty()) return homeOverride;
  const char* v = std::getenv(var);
  if (v && *v == '/') return WithSlash(v);  // relative values are ignored, as XDG asks
  const char* home = std::getenv("HOME");
  return WithSlash(std::string(home && *home ? home : "/tmp") + "/" + fallback);
}

}  // namespace

std::string ExecutableFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return "./";
  return WithSlash(exe.parent_path().string());
}

std::string ConfigHome() {
  return XdgFolder("XDG_CONFIG_HOME", ".config");
}
std::string DataHome() {
  return XdgFolder("XDG_DATA_HOME", ".local/share");
}

void OverrideHome(const std::string& folder) {
  homeOverride = folder.empty() ? "" : WithSlash(folder);
}

bool HomeOverridden() {
  return !homeOverride.empty();
}

std::FILE* OpenFile(const std::string& utf8, const char* mode) {
  return std::fopen(utf8.c_str(), mode);
}

bool IsPlainFile(std::FILE* f) {
  struct stat st {};
  return ::fstat(::fileno(f), &st) == 0 && S_ISREG(st.st_mode);
}

bool MakeFolders(const std::string& folder) {
  std::error_code ec;
  fs::create_directories(PathOf(folder), ec);
  return fs::is_directory(PathOf(folder), ec);
}

}  // namespace paths
