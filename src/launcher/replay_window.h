#pragma once
#include <string>

// `tarvelle --replay FILE`: plays a recorded game in the game window at the pace it was played.
// Esc or closing the window ends it. A file that can't be played is reported in a message box.
// Returns the program's exit code.
int PlayReplayInWindow(const std::string& path);
