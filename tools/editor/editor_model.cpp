#include "tools/editor/editor_model.h"

#include <algorithm>
#include <numeric>

#include "game/in_out_error.h"
#include "game/level_reader.h"
#include "core/pad.h"
#include "platform/atomic_file.h"

namespace {

std::string Refusal(const TFieldRange& r) {
  std::string text =
      std::string(r.Name) + ": " + std::to_string(r.Min) + " to " + std::to_string(r.Max);
  if (*r.Unit) text += std::string(" ") + r.Unit;
  return text;
}

bool Within(const TFieldRange& r, int32_t value) {
  return value >= r.Min && value <= r.Max;
}

bool OnGrid(const TLevelRecord& r, int32_t x, int32_t y) {
  return x >= 1 && y >= 1 && x <= std::min<int32_t>(r.GridCols, LevelMaxCols) &&
         y <= std::min<int32_t>(r.GridRows, LevelMaxRows);
}

// A field's range as the player types it: sizes in pixels.
template <typename Owner>
TFieldRange PlayerRange(const TRecordField<Owner>& f) {
  if (f.InPixels()) return {f.Name, UnitsToPixels(f.Min), UnitsToPixels(f.Max), f.Unit};
  return {f.Name, f.Min, f.Max, f.Unit};
}

// The pad a kind gets when painted on water.
void GivePadSizes(TLevelCell& c, uint8_t kind) {
  c = TLevelCell{};
  c.Kind = kind;
  if (kind == pkRandom || kind == pkWater) return;
  c.MaxSize = c.Size = 6;
  if (kind == pkIsland) return;
  c.HoldFull = 3000;
  c.HoldEmpty = 1500;
  c.Period = 2000;
}

// The record as the level tool compiles it: cells outside the grid are zeros.
TLevelRecord AsCompiled(TLevelRecord r) {
  for (int32_t x = 1; x <= LevelMaxCols; ++x) {
    for (int32_t y = 1; y <= LevelMaxRows; ++y) {
      if (!OnGrid(r, x, y)) r.Cell(x, y) = TLevelCell{};
    }
  }
  return r;
}

}  // namespace

TFieldRange RangeOf(TLevelField f) {
  return PlayerRange(FieldOf(f));
}
TFieldRange RangeOf(TCellField f) {
  return PlayerRange(FieldOf(f));
}
TFieldRange FoodShareRange() {
  return {FoodShareField.Name, FoodShareField.Min, FoodShareField.Max, FoodShareField.Unit};
}
TFieldRange BonusCountRange() {
  return {BonusCountField.Name, BonusCountField.Min, BonusCountField.Max, BonusCountField.Unit};
}

int32_t UnitsToPixels(int32_t units) {
  return SizeUnitsToPixels(static_cast<uint32_t>(units));
}
int32_t PixelsToUnits(int32_t pixels) {
  return (pixels * 7 + 45) / 90;
}

TEditorModel::TEditorModel() : levels_(LevelSetSize, EmptyPond()) {}

TLevelRecord TEditorModel::EmptyPond() {
  TLevelRecord r;
  r.GridCols = 4;
  r.GridRows = 3;
  r.TimeLimit = 60;
  r.DragonX = 1;
  r.DragonY = 2;
  r.DiamondX = 4;
  r.DiamondY = 2;
  r.FoodShare = {40, 30, 15, 10, 5};
  GivePadSizes(r.Cell(1, 2), pkIsland);
  GivePadSizes(r.Cell(4, 2), pkIsland);
  return r;
}

// ---- Files

void TEditorModel::Open(const std::string& path, bool readOnly) {
  const TLevelReader reader(path);
  const int32_t n = reader.RecordCount();
  if (n == 0) {
    throw EInOutError(EInOutError::ecReadBeyondEnd, reader.FileName() + ": holds no level");
  }
  std::vector<TLevelRecord> levels;
  std::vector<std::string> messages;
  for (int32_t i = 1; i <= n; ++i) {
    levels.push_back(reader.ReadRecord(i));
    for (const TLevelProblem& p : LevelRecordErrors(levels.back())) {
      messages.push_back(reader.Where(i) + ": " + p.Text);
    }
  }
  if (n < LevelSetSize) {
    messages.push_back(reader.FileName() + ": holds " + std::to_string(n) +
                       " level(s), the game needs " + std::to_string(LevelSetSize) +
                       ": empty ponds added");
    levels.resize(LevelSetSize, EmptyPond());
  }
  levels_ = std::move(levels);
  openMessages_ = std::move(messages);
  current_ = 0;
  path_ = path;
  readOnly_ = readOnly;
  history_.Clear();
  savedMark_ = n < LevelSetSize ? ~uint64_t{0} : history_.Mark();
  stroke_ = strokeStepOpen_ = false;
}

std::string TEditorModel::FileBytes() const {
  std::string bytes;
  bytes.reserve(levels_.size() * LevelRecordSize);
  std::array<uint8_t, LevelRecordSize> record{};
  for (const TLevelRecord& r : levels_) {
    EncodeLevelRecord(AsCompiled(r), record);
    bytes.append(reinterpret_cast<const char*>(record.data()), record.size());
  }
  return bytes;
}

bool TEditorModel::Save(std::string* error) {
  if (path_.empty() || readOnly_) {
    if (error)
      *error =
          path_.empty() ? "the pack has no file yet: Save As" : path_ + " is read-only: Save As";
    return false;
  }
  return SaveAs(path_, error);
}

bool TEditorModel::SaveAs(const std::string& path, std::string* error) {
  if (!files::WriteAtomically(path, FileBytes(), error)) return false;
  path_ = path;
  readOnly_ = false;
  savedMark_ = history_.Mark();
  return true;
}

void TEditorModel::StartNew(const std::string& path) {
  *this = TEditorModel();
  path_ = path;
}

void TEditorModel::AdoptPath(const std::string& path, bool readOnly) {
  path_ = path;
  readOnly_ = readOnly;
  openMessages_.clear();
  savedMark_ = ~uint64_t{0};
}

// ---- Levels and edits

void TEditorModel::Select(int32_t index) {
  EndStroke();
  current_ = std::clamp(index, 0, LevelCount() - 1);
}

template <typename Change>
void TEditorModel::Edit(const char* name, Change change) {
  TLevelRecord after = levels_[current_];
  change(after);
  if (after == levels_[current_]) return;
  TEditStep* open = strokeStepOpen_ ? history_.Last() : nullptr;
  if (open && open->Level == current_) {
    open->After = {after};
  } else {
    history_.Push({name, current_, {levels_[current_]}, {after}, current_, current_, 0});
    strokeStepOpen_ = stroke_;
  }
  levels_[current_] = after;
}

std::string TEditorModel::SetLevelField(TLevelField field, int32_t value) {
  const TFieldRange range = RangeOf(field);
  if (!Within(range, value)) return Refusal(range);
  if (FieldOf(field).InPixels()) value = PixelsToUnits(value);
  Edit(range.Name, [&](TLevelRecord& r) {
    FieldOf(field).Set(r, static_cast<uint32_t>(value));
    if (field == TLevelField::GridCols || field == TLevelField::GridRows) {
      // The Dragon and a diamond of its own stay on the grid.
      r.DragonX = std::min(r.DragonX, r.GridCols);
      r.DragonY = std::min(r.DragonY, r.GridRows);
      if (r.DiamondX > 0 && r.DiamondY > 0) {
        r.DiamondX = std::min(r.DiamondX, r.GridCols);
        r.DiamondY = std::min(r.DiamondY, r.GridRows);
      }
    }
  });
  return "";
}

int32_t TEditorModel::LevelFieldValue(TLevelField field) const {
  const int32_t v = static_cast<int32_t>(FieldOf(field).Get(Level()));
  return FieldOf(field).InPixels() ? UnitsToPixels(v) : v;
}

std::string TEditorModel::SetCellField(int32_t x, int32_t y, TCellField field, int32_t value) {
  const TFieldRange range = RangeOf(field);
  if (!Within(range, value)) return Refusal(range);
  if (!OnGrid(Level(), x, y)) return "no such cell";
  if (FieldOf(field).InPixels()) value = PixelsToUnits(value);
  Edit(range.Name,
       [&](TLevelRecord& r) { FieldOf(field).Set(r.Cell(x, y), static_cast<uint32_t>(value)); });
  return "";
}

int32_t TEditorModel::CellFieldValue(int32_t x, int32_t y, TCellField field) const {
  const int32_t v = static_cast<int32_t>(FieldOf(field).Get(Level().Cell(x, y)));
  return FieldOf(field).InPixels() ? UnitsToPixels(v) : v;
}

std::string TEditorModel::SetFoodShare(int32_t kind, int32_t percent) {
  if (kind < 1 || kind > LevelFoodKinds) return "no such food";
  if (!Within(FoodShareRange(), percent)) return Refusal(FoodShareRange());
  Edit(FoodShareField.Name,
       [&](TLevelRecord& r) { r.FoodShare[kind - 1] = static_cast<uint8_t>(percent); });
  return "";
}

std::string TEditorModel::SetBonusCount(int32_t code, int32_t count) {
  if (code < 1 || code > LevelBonusCodes) return "no such bonus";
  if (!Within(BonusCountRange(), count)) return Refusal(BonusCountRange());
  const auto& counts = Level().BonusCounts;
  const int32_t others = std::accumulate(counts.begin(), counts.end(), 0) - counts[code - 1];
  if (others + count > BonusCountField.Max) {
    return std::string(BonusCountField.Name) + ": at most " + std::to_string(BonusCountField.Max) +
           " in all, " + std::to_string(BonusCountField.Max - others) + " left";
  }
  Edit(BonusCountField.Name,
       [&](TLevelRecord& r) { r.BonusCounts[code - 1] = static_cast<uint16_t>(count); });
  return "";
}

void TEditorModel::Paint(int32_t x, int32_t y, uint8_t kind) {
  if (!OnGrid(Level(), x, y) || kind > pkRandom) return;
  Edit("paint", [&](TLevelRecord& r) {
    TLevelCell& c = r.Cell(x, y);
    if (c.Kind == kind) return;
    const bool keepSizes = kind != pkWater && kind != pkRandom && c.Kind != pkWater &&
                           c.Kind != pkRandom && c.MaxSize > 0;
    if (keepSizes) {
      c.Kind = kind;
      if (kind == pkIsland) c.Size = c.MaxSize;
    } else {
      GivePadSizes(c, kind);
    }
    if (kind == pkRandom && r.RandomMaxSize == 0) {
      // Random pads need a size to grow to; the usual pad's timings come with it.
      r.RandomMaxSize = 6;
      if (r.RandomHoldFull == 0) r.RandomHoldFull = 3000;
      if (r.RandomHoldEmpty == 0) r.RandomHoldEmpty = 1500;
      if (r.RandomPeriod == 0) r.RandomPeriod = 2000;
    }
  });
}

bool TEditorModel::AddObject(int32_t x, int32_t y, TLevelObject object) {
  if (!OnGrid(Level(), x, y)) return false;
  const auto& slots = Level().Cell(x, y).Objects;
  const auto free = std::find_if(slots.begin(), slots.end(),
                                 [](const TLevelObject& o) { return o.ObjType == otNone; });
  if (free == slots.end()) return false;
  const auto slot = free - slots.begin();
  Edit("object", [&](TLevelRecord& r) { r.Cell(x, y).Objects[slot] = object; });
  return true;
}

void TEditorModel::ClearObjects(int32_t x, int32_t y) {
  if (!OnGrid(Level(), x, y)) return;
  Edit("clear objects", [&](TLevelRecord& r) { r.Cell(x, y).Objects = {}; });
}

void TEditorModel::PlaceDragon(int32_t x, int32_t y) {
  if (!OnGrid(Level(), x, y)) return;
  Edit("Dragon", [&](TLevelRecord& r) {
    r.DragonX = static_cast<uint16_t>(x);
    r.DragonY = static_cast<uint16_t>(y);
  });
}

void TEditorModel::PlaceDiamond(int32_t x, int32_t y) {
  if (!OnGrid(Level(), x, y)) return;
  Edit("diamond", [&](TLevelRecord& r) {
    r.DiamondX = static_cast<uint16_t>(x);
    r.DiamondY = static_cast<uint16_t>(y);
  });
}

void TEditorModel::DiamondToRandomIsland() {
  Edit("diamond", [&](TLevelRecord& r) {
    r.DiamondX = r.DiamondY = 0;
    if (r.DiamondDelay == 0) r.DiamondDelay = 10;
  });
}

void TEditorModel::BeginStroke() {
  stroke_ = true;
  strokeStepOpen_ = false;
}

void TEditorModel::EndStroke() {
  stroke_ = strokeStepOpen_ = false;
}

// ---- The order of the levels

void TEditorModel::CopyLevel() {
  clipboard_ = Level();
}

void TEditorModel::PasteLevel() {
  if (!clipboard_) return;
  EndStroke();
  Edit("paste level", [&](TLevelRecord& r) { r = *clipboard_; });
}

void TEditorModel::MoveLevel(int32_t from, int32_t to) {
  EndStroke();
  if (from < 0 || to < 0 || from >= LevelCount() || to >= LevelCount() || from == to) return;
  TEditStep step{"move level", -1, levels_, {}, current_, to, 0};
  TLevelRecord moved = levels_[from];
  levels_.erase(levels_.begin() + from);
  levels_.insert(levels_.begin() + to, moved);
  step.After = levels_;
  current_ = to;
  history_.Push(std::move(step));
}

// ---- Undo and redo

void TEditorModel::Apply(const TEditStep& step, bool after) {
  const std::vector<TLevelRecord>& levels = after ? step.After : step.Before;
  if (step.Level < 0) {
    levels_ = levels;
  } else {
    levels_[step.Level] = levels.front();
  }
  current_ = after ? step.CurrentAfter : step.CurrentBefore;
}

bool TEditorModel::Undo() {
  EndStroke();
  const TEditStep* step = history_.Undo();
  if (step) Apply(*step, false);
  return step != nullptr;
}

bool TEditorModel::Redo() {
  EndStroke();
  const TEditStep* step = history_.Redo();
  if (step) Apply(*step, true);
  return step != nullptr;
}

// ---- Checks

std::vector<TLevelProblem> TEditorModel::Problems() const {
  return CheckLevelRecord(Level());
}

bool TEditorModel::HasErrors() const {
  return HasErrors(current_);
}

bool TEditorModel::HasErrors(int32_t index) const {
  return !LevelRecordErrors(levels_[index]).empty();
}
