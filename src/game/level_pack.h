#pragma once
#include <cstdint>
#include <string>

// Level packs: level files in the game's format that players make, kept in
// $XDG_DATA_HOME/Morvane/Tarvelle/levels/NAME.dat. The game plays one in place of its own
// LevelsFree.dat when asked to (--levels), with a high-score table of its own.

// The packs' folder, with a trailing '/'.
std::string LevelPackFolder();
// The file of a pack: a path (holding '/' or '\', or ending in ".dat") as it is, else NAME.dat
// in the packs' folder.
std::string LevelPackPath(const std::string& nameOrFile);

// Plays the levels of file in place of the game's own ("" goes back to them).
void SetLevelPack(const std::string& file);
// The pack being played, "" for the game's own levels.
const std::string& LevelPackFile();
// The pack's name (its file name without ".dat", after the last '/' or '\'), "" for the game's
// own levels (and for a pack file named just ".dat").
std::string LevelPackName();

// The level file the game plays now: the pack's, or the one beside the program,
// ProgramFolder + "LevelsFree.dat". The demos always play the game's own levels (they were
// recorded on them).
std::string LevelFilePath();

// The CRC-32 of the level file being played (LevelFilePath), 0 when it can't be read.
uint32_t LevelFileChecksum();
// The CRC-32 of the pack's file (LevelPackFile), 0 without a pack or when it can't be read.
uint32_t LevelPackChecksum();

// What keeps file from being played, "" when nothing does: a file that can't be read, holds
// fewer than the game's 15 levels ("party.dat: holds 3 level(s), the game needs 15"), or holds a
// level the game can't build (the reader's message, naming the level and the field).
std::string CheckLevelPack(const std::string& file);
