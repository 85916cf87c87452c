#pragma once
#include <string>
#include <vector>

// Where the game's data files are: the first of the candidate folders that holds any of them
// (the level file, the picture pack, the music folder), with a trailing '/'. The executable's
// folder comes first, so a build tree plays its own files; the installed data folder follows.
// Empty when none of them does.
std::string FindProgramFolder(const std::vector<std::string>& candidates);

// The message for data that was not found, naming every folder looked in.
std::string MissingDataMessage(const std::vector<std::string>& candidates);
