#include "tools/editor/level_try.h"

#include <array>
#include <filesystem>

#include "platform/atomic_file.h"
#include "platform/process_env.h"
#include "tools/editor/editor_model.h"
#include "tools/editor/try_outcome.h"

bool TLevelTry::Start(const TLevelRecord& level, int32_t difficulty, std::string* error) {
  folder_ = process::MakeTemporaryFolder("tarvelle-editor-play-");
  lines_.clear();
  const std::string file = folder_ + "/try.dat";
  std::array<uint8_t, LevelRecordSize> record{};
  EncodeLevelRecord(level, record);
  std::string bytes;
  for (int32_t i = 0; i < LevelSetSize; ++i) bytes.append(record.begin(), record.end());
  if (folder_.empty() || !files::WriteAtomically(file, bytes, error) ||
      !game_.Start({program_, "--try", "--levels", file, "--play", "--level", "1", "--difficulty",
                    std::to_string(difficulty)},
                   error)) {
    std::error_code ec;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ec);
    folder_.clear();
    return false;
  }
  return true;
}

bool TLevelTry::Ended(std::string& message, bool& bad) {
  if (folder_.empty()) return false;
  for (std::string line; game_.ReadLine(line);) lines_.push_back(line);
  if (game_.Running()) return false;
  for (std::string line; game_.ReadLine(line);) lines_.push_back(line);
  message = TryOutcome(lines_, game_.ExitStatus(), bad);
  std::error_code ec;
  std::filesystem::remove_all(folder_, ec);
  folder_.clear();
  return true;
}
