#pragma once
#include <string>
#include <vector>

// How a try of a level in the game window ended, told in the editor's message line: from the
// lines the game wrote ("try: won", "try: lost") and its exit status. Without such a line the
// player left the level (Esc, or the window closed). Bad is set for an end the player should
// look at (lost, or the game stopped on an error).
std::string TryOutcome(const std::vector<std::string>& lines, int exitStatus, bool& bad);
