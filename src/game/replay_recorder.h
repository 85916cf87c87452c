#pragma once
#include <cstdint>
#include <string>

#include "game/replay.h"

// Records every game played into a replay file under the per-user data folder
// ($XDG_DATA_HOME/Morvane/Tarvelle/replays/), keeping the last 20 and those of high scores.
// Off until switched on (the game's own message loop does; tests and tools choose).
void SetReplayRecording(bool on);
bool ReplayRecordingOn();

// Marks one call reaching the game window. The outermost call of a running recording becomes
// an entry of the tape with every clock reading taken during it; when it leaves the game over
// (back at the menu, or at the high-score table) the recording is written.
class TTapeCallGuard {
 public:
  explicit TTapeCallGuard(uint8_t call, int32_t a = 0, int32_t b = 0, int32_t c = 0, int32_t d = 0);
  ~TTapeCallGuard();
  TTapeCallGuard(const TTapeCallGuard&) = delete;
  TTapeCallGuard& operator=(const TTapeCallGuard&) = delete;

 private:
  bool recorded_ = false;
};

// Starts a recording as a new game starts (NewGame); the readings it takes are the start's.
class TGameStartGuard {
 public:
  explicit TGameStartGuard(int32_t startLevel);
  ~TGameStartGuard();
  TGameStartGuard(const TGameStartGuard&) = delete;
  TGameStartGuard& operator=(const TGameStartGuard&) = delete;

 private:
  bool started_ = false;
};

// Ends a running recording now and writes it (the window is closing).
void FinishRecording();
// The folder replays are written to.
std::string ReplayFolder();
// The file the last finished recording went to ("" if none).
const std::string& LastReplayFile();
