#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "game/level_record.h"
#include "platform/child_process.h"

// The level being edited, tried in the game itself: the game started beside the editor on that
// one level (handed to it on its standard input, no file written), its window played by the
// author; what the game wrote tells how the try ended.
class TLevelTry {
 public:
  explicit TLevelTry(std::string gameProgram) : program_(std::move(gameProgram)) {}

  // The game window of a try is open.
  bool Running() const { return running_; }
  // Starts the game on level at difficulty; false with error set when it can't.
  bool Start(const TLevelRecord& level, int32_t difficulty, std::string* error);
  // Reads what the game wrote so far; once it has stopped, true with how the try ended in
  // message (bad set for an end the author should look at).
  bool Ended(std::string& message, bool& bad);

 private:
  std::string program_;
  bool running_ = false;
  TChildProcess game_;
  std::vector<std::string> lines_;  // what the game window wrote during the try
};
