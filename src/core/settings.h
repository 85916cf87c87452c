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

// Whether the player's scores go to the world table: asked once, after the first score that
// enters the high-score table ("Share" in the settings: 0 not asked yet, 1 yes, 2 no).
enum TShareChoice : int32_t { scNotAsked = 0, scShare = 1, scDontShare = 2 };
TShareChoice ShareChoice();
// Keeps the player's answer (for this run too when it can't be saved).
void SaveShareChoice(TShareChoice choice);
// The world table's address from the settings ("WorldServer", a string such as
// "https://host/api/v1/"); "" when not set.
std::string WorldServerSetting();

// A difficulty and a start level chosen for this run only (the command line's --level and
// --difficulty): sets G.Difficulty and lets G.MaxLevel reach the level, but what is saved at
// quit is what was there before: the stored difficulty unless the options changed it, and the
// highest level as before unless a level past the chosen one was reached in play.
void ChooseForThisRun(int32_t difficulty, int32_t level);
