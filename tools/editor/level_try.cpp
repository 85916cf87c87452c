#include "tools/editor/level_try.h"

#include <array>

#include "tools/editor/editor_model.h"
#include "tools/editor/try_outcome.h"

bool TLevelTry::Start(const TLevelRecord& level, int32_t difficulty, std::string* error) {
  lines_.clear();
  std::array<uint8_t, LevelRecordSize> record{};
  EncodeLevelRecord(level, record);
  // A level file's worth of the one level, read by the game from its standard input.
  std::string bytes;
  for (int32_t i = 0; i < LevelSetSize; ++i) bytes.append(record.begin(), record.end());
  running_ = game_.Start({program_, "--try", "--levels", "-", "--play", "--level", "1",
                          "--difficulty", std::to_string(difficulty)},
                         error, bytes);
  return running_;
}

bool TLevelTry::Ended(std::string& message, bool& bad) {
  if (!running_) return false;
  for (std::string line; game_.ReadLine(line);) lines_.push_back(line);
  if (game_.Running()) return false;
  for (std::string line; game_.ReadLine(line);) lines_.push_back(line);
  message = TryOutcome(lines_, game_.ExitStatus(), bad);
  running_ = false;
  return true;
}
