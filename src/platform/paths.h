#pragma once
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

// Creates a folder and its parents; true when it exists afterwards.
bool MakeFolders(const std::string& folder);

}  // namespace paths
