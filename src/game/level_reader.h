#pragma once
#include <cstdint>
#include <string>

#include "game/level_record.h"

// Reads level records from a level file. Everything that goes wrong raises EInOutError with a
// message naming the file (its base name) and, once a record is involved, the level:
// "LevelsFree.dat, level 7: GridCols is 19, at most 16".
class TLevelReader {
 public:
  explicit TLevelReader(std::string path);

  const std::string& Path() const { return path_; }
  // The file's base name, as messages give it.
  std::string FileName() const;
  // "LevelsFree.dat, level 7"
  std::string Where(int32_t levelNo) const;

  // Number of whole records the file holds; a missing file raises the error.
  int32_t RecordCount() const;
  // Record levelNo (from 1) as stored, not checked. A missing file, or a file that ends before
  // the record is complete, raises the error.
  TLevelRecord ReadRecord(int32_t levelNo) const;
  // Record levelNo, refused with the error when it holds a record the game cannot build.
  TLevelRecord ReadLevel(int32_t levelNo) const;

 private:
  std::string path_;
};
