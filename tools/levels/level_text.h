#pragma once
#include <stdexcept>
#include <string>
#include <string_view>

#include "game/level_record.h"

// The readable form of a level record, one text file per level:
//
//   Note Big steady pads, plenty of time.       one line: what the level is about
//   GridCols 8                                   header fields by name (missing ones are 0)
//   FoodShare 40 30 15 10 5
//   Bonus time 2                                 BonusCounts: an event code (or its name), a count
//   Pad L lily MaxSize 6 Size 6 HoldFull 3000 HoldEmpty 1200 Period 2500 Growing 1
//   Map                                          GridRows lines of GridCols pad names;
//     L L . I                                    "." is plain water, "?" a plain random pad
//   End
//   At 3 2 food 1 bonus life monster red         object slots of cell (3, 2), in slot order
//
// '#' starts a comment. Pad and At lines may come in any order after the header.

// A syntax error, "level03.txt:12: unknown field 'Gridcols'".
class ELevelSyntax : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TLevelSource {
  TLevelRecord Record;
  std::string Note;
};

// Reads a level source; name is used in error messages.
TLevelSource ParseLevelSource(std::string_view text, const std::string& name);

// Writes a record as a level source that compiles back to the same bytes (cells outside the
// grid and the reserved bytes are not kept: they are zeros in a compiled file).
std::string FormatLevelSource(const TLevelRecord& record, const std::string& note);
