#pragma once
#include <array>
#include <cstdint>
#include <string>

// Recorded demos: a level from the demo file played with recorded arrow-key presses.

// One recorded key press: from LevelTicks = Time on, KeyCode (37..40, an arrow key) may be
// applied. KeyCode 0 ends a demo's steps.
struct TDemoStepRec {
  int32_t Time = 0;
  uint8_t KeyCode = 0;
};

constexpr int32_t MaxDemos = 30;
constexpr int32_t MaxDemoSteps = 199;

struct TDemoRecord {
  int32_t Level = 0;
  std::array<TDemoStepRec, MaxDemoSteps + 2> Steps{};  // [1 .. 200]; one more for the end mark
};

// The demos, loaded once per run, and the one being played.
struct TDemoTables {
  int32_t DemoCount = 0;                               // 0 until the file has been read
  std::array<TDemoRecord, MaxDemos + 1> DemoRecord{};  // [1 .. 30]
  int32_t CurrentDemo = 0;
  int32_t DemoStepIndex = 0;
  int32_t SavedDifficulty = 0;
};
TDemoTables& Demos();
// Forgets the loaded demos (the next start reads the file again).
void ResetDemos();

// Reads the demo file into the tables if they are empty. No file leaves them empty; a file the
// game can't use raises EInOutError (see demo_file.h) and leaves them empty too.
void LoadDemosOnce();
// The demo file beside the executable.
std::string DemoFilePath();
// Starts the given demo (1 .. DemoCount of the loaded ones) as StartDemo does a random one.
void StartDemoAt(int32_t number);

// The demo that runs: one step a frame, a new one from the title menu or after a demo's last
// life, and its end on a key press.
void DemoStep();
void StartDemo();
void EndDemo();
