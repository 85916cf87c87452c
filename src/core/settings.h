#pragma once
#include <string>

// The folder of the game's settings: $XDG_CONFIG_HOME/Morvane/Tarvelle Free/.
std::string SettingsFolder();

// Reads "Sleep", "SFXVol", "MusVol" and "Diff" into the game's variables, with the defaults
// for missing or out-of-range values. Raises ESettingsError for a value of the wrong type.
void LoadSettings();
// Writes "SFXVol", "MusVol" and "Diff".
void SaveSettings();
// Writes the highest level reached as "Level".
void SaveMaxLevel();
