#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/level_set.h"
#include "game/level_check.h"
#include "game/level_fields.h"
#include "game/level_record.h"
#include "tools/editor/edit_history.h"

// The range of a number the player types, in the player's units: pixels for pad sizes,
// milliseconds for pad timings, seconds for the level's clock (the level's fields, in
// game/level_fields.h, converted).
struct TFieldRange {
  const char* Name;  // the level file's name of the field
  int32_t Min, Max;  // in the player's units
  const char* Unit;  // "px", "ms", "s", "%", ""
};
TFieldRange RangeOf(TLevelField field);
TFieldRange RangeOf(TCellField field);
TFieldRange FoodShareRange();
TFieldRange BonusCountRange();

// Pixels of a stored size and back: stored sizes are units of 90/7 pixel.
int32_t UnitsToPixels(int32_t units);
int32_t PixelsToUnits(int32_t pixels);  // the nearest unit

// A level pack being edited: its levels, where it is saved, the changes that can be undone, and
// the checks of the level shown. Knows nothing of windows: every edit is a call, every edit is
// one step of undo (a stroke of the brush is one step however many cells it paints).
class TEditorModel {
 public:
  // A new pack of small empty ponds, not yet saved anywhere.
  TEditorModel();
  // The pond a new pack starts from: 4 x 3 water, the Dragon's island on the left, the
  // diamond's island on the right, 60 seconds.
  static TLevelRecord EmptyPond();

  // ---- Files
  // Opens a level file. A file that can't be read raises EInOutError (the model is unchanged);
  // levels that the game would refuse open all the same, each named in OpenMessages() and
  // marked by its errors. A read-only pack is saved only with SaveAs.
  void Open(const std::string& path, bool readOnly);
  // Messages from the last Open: "LevelsFree.dat, level 7: GridCols is 19, at most 16".
  const std::vector<std::string>& OpenMessages() const { return openMessages_; }
  // Writes the pack atomically; false with error set when it can't (or is read-only, or new).
  bool Save(std::string* error);
  bool SaveAs(const std::string& path, std::string* error);
  // The pack as the level file holds it: cells outside each level's grid are zeros, as the
  // level tool writes them.
  std::string FileBytes() const;
  const std::string& Path() const { return path_; }
  // A new pack of empty ponds, as the model starts, that Save writes to path.
  void StartNew(const std::string& path);
  // Takes the levels held as unsaved changes of the pack at path (a recovered copy).
  void AdoptPath(const std::string& path, bool readOnly);
  // Names the levels held: equal marks, the same levels (for keeping recovery copies).
  uint64_t Mark() const { return history_.Mark(); }
  bool ReadOnly() const { return readOnly_; }
  bool Dirty() const { return history_.Mark() != savedMark_; }

  // ---- Levels
  int32_t LevelCount() const { return static_cast<int32_t>(levels_.size()); }
  int32_t Current() const { return current_; }  // from 0
  void Select(int32_t index);
  const TLevelRecord& Level() const { return levels_[current_]; }
  const TLevelRecord& LevelAt(int32_t index) const { return levels_[index]; }

  // ---- Edits of the level shown. Typed numbers out of range are refused: the result is then
  // the allowed range ("TimeLimit: 1 to 999 s"), "" when the value was taken.
  std::string SetLevelField(TLevelField field, int32_t value);
  int32_t LevelFieldValue(TLevelField field) const;
  std::string SetCellField(int32_t x, int32_t y, TCellField field, int32_t value);
  int32_t CellFieldValue(int32_t x, int32_t y, TCellField field) const;
  std::string SetFoodShare(int32_t kind, int32_t percent);  // kind 1..5
  std::string SetBonusCount(int32_t code, int32_t count);   // event code 1..20
  // Paints a cell's kind. A pad painted on water gets a pad's usual sizes; water clears the
  // cell, objects too.
  void Paint(int32_t x, int32_t y, uint8_t kind);
  // Puts an object in the cell's first free slot; false when all five are taken.
  bool AddObject(int32_t x, int32_t y, TLevelObject object);
  void ClearObjects(int32_t x, int32_t y);
  void PlaceDragon(int32_t x, int32_t y);
  void PlaceDiamond(int32_t x, int32_t y);
  // The diamond to a random island (only when it is placed late; a delay of 0 becomes 10 s).
  void DiamondToRandomIsland();

  // A stroke: the edits between Begin and End are one step of undo.
  void BeginStroke();
  void EndStroke();

  // ---- The order of the levels
  void CopyLevel();
  bool CanPaste() const { return clipboard_.has_value(); }
  void PasteLevel();  // over the level shown
  void MoveLevel(int32_t from, int32_t to);

  // ---- Undo and redo
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  bool Undo();
  bool Redo();

  // ---- Checks of the level shown (the level tool's), with the cells they concern.
  std::vector<TLevelProblem> Problems() const;
  bool HasErrors() const;
  bool HasErrors(int32_t index) const;

 private:
  // Runs change on a copy of the level shown and keeps it as a step when it changed anything.
  template <typename Change>
  void Edit(const char* name, Change change);
  void Apply(const TEditStep& step, bool after);

  std::vector<TLevelRecord> levels_;
  int32_t current_ = 0;
  std::string path_;
  bool readOnly_ = false;
  std::vector<std::string> openMessages_;
  TEditHistory history_;
  uint64_t savedMark_ = 0;
  bool stroke_ = false, strokeStepOpen_ = false;
  std::optional<TLevelRecord> clipboard_;
};
