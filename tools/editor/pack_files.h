#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "game/level_record.h"
#include "tools/editor/editor_model.h"

// Opens the file named on the editor's command line (or chosen with Ctrl+O) and says how, for
// the message line: a file that is not there yet is a new pack of empty ponds that Save writes
// there ("new pack: Save writes FILE"); the game's own levels and files that can't be written
// open read-only (Save As only); damaged levels are named by the reader's messages. A file that
// can't be read raises EInOutError, the model unchanged.
std::string OpenPackFile(TEditorModel& model, const std::string& file);

// The levels the player bot has won at all three difficulties, kept between runs in a file of
// their own (one CRC-32 of a level's record a line), so the packs' list can say which are proved.
class TProofLog {
 public:
  explicit TProofLog(std::string file) : file_(std::move(file)) {}
  bool Proved(const TLevelRecord& level) const;
  // Adds the level; false (with error set) when the file can't be written.
  bool Add(const TLevelRecord& level, std::string* error);

 private:
  std::string file_;
};

// A pack in the packs' folder, for the editor's Ctrl+O.
struct TPackEntry {
  std::string Name;  // the file name without ".dat"
  std::string Path;
  int32_t Levels = 0;  // levels the file holds (0: it can't be read)
  int32_t Proved = 0;  // of the first fifteen, those in the proof log
};
// The packs of folder ("*.dat"), by name.
std::vector<TPackEntry> ListPacks(const std::string& folder, const TProofLog& proofs);
// "party: proved", "winter: 3 of 15 levels proved", "broken: can't be read".
std::string DescribePack(const TPackEntry& pack);
