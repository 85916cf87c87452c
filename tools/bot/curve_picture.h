#pragma once
#include <string>
#include <vector>

// One line of the curve: a profile's win rate (0 to 1) on levels 1, 2, ... at one difficulty;
// a negative rate is a level not measured (the line skips it).
struct TCurveLine {
  std::string Label;       // "casual, difficulty 2"
  int32_t Profile = 0;     // index of the profile: sets the line's colour
  int32_t Difficulty = 2;  // 1 to 3: sets the line's dash
  std::vector<double> Rates;
};

// Draws the win rate by level, one line per profile, in the game's own bitmap font and the
// interface colours of the game, and writes it as a PNG. gameFolder is where the game's
// pictures are ("" the executable's). Returns "" or why the picture could not be written.
// The game's state is this process's own: it runs a game session while it draws.
std::string WriteCurvePicture(const std::vector<TCurveLine>& lines, int32_t levels,
                              const std::string& title, const std::string& gameFolder,
                              const std::string& fileName);
