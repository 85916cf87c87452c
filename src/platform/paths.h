#pragma once
#include <cstdio>
#include <filesystem>
#include <string>

// Where the game finds its files. Folders are returned with a trailing '/'.
namespace paths {

// The folder of the running executable.
std::string ExecutableFolder();
// Per-user settings root: $XDG_CONFIG_HOME, else ~/.config (Windows: %APPDATA%).
std::string ConfigHome();
// Per-user data root: $XDG_DATA_HOME, else ~/.local/share (Windows: %APPDATA% too).
std::string DataHome();

// Replaces both per-user roots by one folder (the headless driver's --home); "" undoes it.
void OverrideHome(const std::string& folder);
bool HomeOverridden();

// A UTF-8 path for the file system library, and back with '/' between names. A std::string
// never goes to std::filesystem directly: on Windows it would be read in the wrong encoding.
std::filesystem::path PathOf(const std::string& utf8);
std::string Utf8Of(const std::filesystem::path& path);

// Opens a file as std::fopen does, the path given in UTF-8 (Windows: through the wide path, so
// a name beyond ASCII opens whatever the system's code page).
std::FILE* OpenFile(const std::string& utf8, const char* mode);
// The open file is a plain file (not a folder or a device in its place).
bool IsPlainFile(std::FILE* f);

// Creates a folder and its parents; true when it exists afterwards.
bool MakeFolders(const std::string& folder);

}  // namespace paths
