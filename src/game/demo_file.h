#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "game/demo.h"

// The demo file: records up to the end of the file, no header, little-endian. A record is
// StepCount (2 bytes, at most 199), Level (2 bytes, 1 .. LevelCount) and StepCount steps of 8
// bytes: Time (4, signed), KeyCode (1), 3 bytes not read. At most 30 records, at least one.
struct TDemo {
  int32_t Level = 0;
  std::vector<TDemoStepRec> Steps;
};

// Reads every demo of the bytes, checked. A file the game can't use raises EInOutError naming
// the file and the demo: "DemoFree.dat, demo 3: 250 steps, at most 199".
std::vector<TDemo> ParseDemoFile(const std::vector<uint8_t>& bytes, const std::string& fileName,
                                 int32_t levelCount);
// Reads and checks the file; a missing one raises EInOutError with ecFileNotFound.
std::vector<TDemo> ReadDemoFile(const std::string& path, int32_t levelCount);
// The bytes of a demo file holding the demos (steps beyond 199 are not written).
std::vector<uint8_t> EncodeDemoFile(const std::vector<TDemo>& demos);
