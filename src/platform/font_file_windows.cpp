#include <windows.h>

#include "platform/font_file.h"
#include "platform/paths.h"
#include "platform/wide_text_windows.h"

namespace {

bool IsFile(const std::string& utf8) {
  const DWORD attributes = GetFileAttributesW(wide::FromUtf8(utf8).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

// Windows has no fontconfig: Liberation Sans comes with the game (fonts/ beside the program);
// without it Arial, whose metrics it has, from the Windows fonts folder.
std::string FindFontFile(const std::string&, bool bold) {
  std::string file = paths::ExecutableFolder() + "fonts/LiberationSans-" +
                     (bold ? "Bold" : "Regular") + ".ttf";
  if (IsFile(file)) return file;
  wchar_t windows[MAX_PATH];
  const UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return "";
  file = wide::ToUtf8(windows) + (bold ? "\\Fonts\\arialbd.ttf" : "\\Fonts\\arial.ttf");
  return IsFile(file) ? file : "";
}

void ReleaseFontFinder() {}
