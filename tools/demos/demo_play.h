#pragma once
#include <cstdint>
#include <string>

// How a demo ended when the game's own playback showed it.
struct TDemoOutcome {
  int32_t Level = 0;
  bool Won = false;        // the Dragon caught the diamond
  int32_t LevelTicks = 0;  // when the demo ended (won, life lost, or given up)
  int32_t TimeLeft = 0;
  int32_t Energy = 0;
  int32_t Score = 0;
};

// Number of demos in the demo file of dataDir (0 without a file; a bad file raises).
int32_t CountDemos(const std::string& dataDir);
// Shows demo `number` of dataDir's demo file (beside its LevelsFree.dat) through the game's own
// playback, headless, every frame frameMs long, until the Dragon catches the diamond or loses
// a life. Without pictures the playfield moves its actors exactly as when drawn, only faster.
TDemoOutcome PlayDemo(const std::string& dataDir, int32_t number, int32_t frameMs,
                      bool pictures = true);
