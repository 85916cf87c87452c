#pragma once
#include <cstdint>
#include <string>

// The folder of the game's settings file: $XDG_CONFIG_HOME/Morvane/Tarvelle Free/. Windows keeps
// the settings in the registry instead (HKEY_CURRENT_USER\Software\Morvane\Tarvelle Free),
// where a settings.conf left here by an earlier version is taken in once; with the per-user
// root overridden (paths::OverrideHome) they stay in the file there too.
std::string SettingsFolder();

// Reads "Sleep", "SFXVol", "MusVol" and "Diff" into the game's variables, with the defaults
// for missing or out-of-range values. Raises ESettingsError for a value of the wrong type.
void LoadSettings();
// Writes "SFXVol", "MusVol" and "Diff".
void SaveSettings();
// Writes the highest level reached as "Level".
void SaveMaxLevel();

// A difficulty and a start level chosen for this run only (the command line's --level and
// --difficulty): sets G.Difficulty and lets G.MaxLevel reach the level, but what is saved at
// quit is what was there before: the stored difficulty unless the options changed it, and the
// highest level as before unless a level past the chosen one was reached in play.
void ChooseForThisRun(int32_t difficulty, int32_t level);
