#include "game/level_check.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "core/level_pacing.h"
#include "core/pad.h"
#include "game/level_fields.h"
#include "game/level_kinds.h"

namespace {

using TCells = std::vector<std::pair<int32_t, int32_t>>;

class TChecker {
 public:
  explicit TChecker(const TLevelRecord& r) : r_(r) {}

  std::vector<TLevelProblem> Check() {
    CheckHeader();
    if (cols_ > 0 && rows_ > 0) {
      CheckCells();
      CheckPlaces();
    }
    CheckPacing();
    return std::move(problems_);
  }

 private:
  // A problem of the header's numbers, or one about the cells given.
  __attribute__((format(printf, 2, 3))) void Error(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    Add(true, {}, fmt, args);
    va_end(args);
  }
  __attribute__((format(printf, 2, 3))) void Warn(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    Add(false, {}, fmt, args);
    va_end(args);
  }
  __attribute__((format(printf, 3, 4))) void ErrorAt(TCells cells, const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    Add(true, std::move(cells), fmt, args);
    va_end(args);
  }
  __attribute__((format(printf, 3, 4))) void WarnAt(TCells cells, const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    Add(false, std::move(cells), fmt, args);
    va_end(args);
  }
  void Add(bool error, TCells cells, const char* fmt, va_list args) {
    char text[256];
    std::vsnprintf(text, sizeof text, fmt, args);
    problems_.push_back({error, text, std::move(cells)});
  }

  // Whether the diamond has a cell of its own; otherwise it goes to a random island.
  bool FixedDiamond() const { return r_.DiamondDelay == 0 || (r_.DiamondX > 0 && r_.DiamondY > 0); }

  // Checks a header field against its range; returns whether it holds.
  bool InRange(TLevelField f) {
    const THeaderField& field = FieldOf(f);
    return InRange(field.Name, static_cast<int>(field.Get(r_)), field.Min, field.Max);
  }
  // Checks a place's number lies on the grid's columns or rows, 1 to last.
  bool OnGrid(TLevelField f, int last) {
    const THeaderField& field = FieldOf(f);
    return InRange(field.Name, static_cast<int>(field.Get(r_)), 1, last);
  }
  // Checks lo <= value <= hi for a header field; returns whether it holds.
  bool InRange(const char* field, int value, int lo, int hi) {
    if (value < lo) {
      Error("%s is %d, at least %d", field, value, lo);
      return false;
    }
    if (value > hi) {
      Error("%s is %d, at most %d", field, value, hi);
      return false;
    }
    return true;
  }

  void CheckHeader() {
    const bool colsOk = InRange(TLevelField::GridCols);
    const bool rowsOk = InRange(TLevelField::GridRows);
    if (colsOk) cols_ = r_.GridCols;
    if (rowsOk) rows_ = r_.GridRows;
    // The Dragon and a diamond of its own lie on the grid.
    if (colsOk) OnGrid(TLevelField::DragonX, cols_);
    if (rowsOk) OnGrid(TLevelField::DragonY, rows_);
    // A diamond placed late may leave its cell open (0) to go to a random island; then neither
    // of its numbers is used.
    if (FixedDiamond()) {
      if (colsOk) OnGrid(TLevelField::DiamondX, cols_);
      if (rowsOk) OnGrid(TLevelField::DiamondY, rows_);
    } else if (r_.DiamondX > LevelMaxCols || r_.DiamondY > LevelMaxRows) {
      Warn("DiamondX %d and DiamondY %d are not used: the diamond goes to a random island",
           r_.DiamondX, r_.DiamondY);
    }
    int bonusSum = 0;
    for (uint16_t n : r_.BonusCounts) bonusSum += n;
    if (bonusSum > BonusCountField.Max)
      Error("%s add up to %d, at most %d", BonusCountField.Name, bonusSum, BonusCountField.Max);

    const THeaderField& time = FieldOf(TLevelField::TimeLimit);
    if (r_.TimeLimit < time.Min) Warn("%s is %d: the pads sink at once", time.Name, r_.TimeLimit);
    if (r_.TimeLimit > time.Max) {
      Warn("%s is %d: the clock shows three digits", time.Name, r_.TimeLimit);
    }
    if (r_.DiamondDelay > 0 && r_.DiamondDelay >= r_.TimeLimit) {
      Warn("DiamondDelay is %d s, but the level lasts %d s", r_.DiamondDelay, r_.TimeLimit);
    }
    const bool diamondNumbersFit = r_.DiamondX <= LevelMaxCols && r_.DiamondY <= LevelMaxRows;
    if (r_.DiamondDelay > 0 && (r_.DiamondX == 0) != (r_.DiamondY == 0) && diamondNumbersFit) {
      Warn("only one of DiamondX and DiamondY is 0: the diamond goes to a random island");
    }
    for (const TLevelField f : {TLevelField::IslandPercent, TLevelField::SteppedPercent}) {
      const THeaderField& field = FieldOf(f);
      const int value = static_cast<int>(field.Get(r_));
      if (value > field.Max) Warn("%s is %d, above %d", field.Name, value, field.Max);
    }
    for (const TLevelField f :
         {TLevelField::RandomPeriod, TLevelField::RandomHoldFull, TLevelField::RandomHoldEmpty}) {
      const THeaderField& field = FieldOf(f);
      const int value = static_cast<int>(field.Get(r_));
      if (value > field.Max) {
        Warn("%s is %d: with up to %d added it wraps around 16 bits", field.Name, value,
             65535 - field.Max);
      }
    }
    int shareSum = 0;
    for (uint8_t s : r_.FoodShare) shareSum += s;
    if (shareSum != 100 && shareSum != 0) {
      Warn("FoodShare adds up to %d, not 100: the default 40 30 15 10 5 is used", shareSum);
    }
  }

  void CheckCells() {
    int randomPads = 0;
    for (int x = 1; x <= cols_; ++x) {
      for (int y = 1; y <= rows_; ++y) {
        const TLevelCell& c = r_.Cell(x, y);
        if (c.Kind > pkRandom) {
          ErrorAt({{x, y}}, "cell (%d, %d): Kind is %d, at most %d", x, y, c.Kind, pkRandom);
          continue;
        }
        if (c.Kind == pkRandom) {
          ++randomPads;
          for (const TLevelObject& o : c.Objects) {
            if (o.ObjType != otNone) {
              WarnAt({{x, y}}, "cell (%d, %d) is a random pad: its object slots are ignored", x, y);
              break;
            }
          }
          continue;
        }
        CheckPad(x, y, c);
        CheckObjects(x, y, c);
      }
    }
    // RandomMaxSize sizes the random pads, and nothing else.
    const THeaderField& size = FieldOf(TLevelField::RandomMaxSize);
    if (randomPads > 0) {
      InRange(TLevelField::RandomMaxSize);
    } else if (r_.RandomMaxSize > size.Max) {
      Warn("%s is %d, above %d, but the level has no random pad", size.Name, r_.RandomMaxSize,
           size.Max);
    }
    if (randomPads > 0) {
      islandsFromRandom_ = std::min(randomPads, r_.IslandPercent * randomPads / 100);
      if (islandsFromRandom_ < randomPads && r_.RandomMaxSize == 0) {
        Error("%s is 0, at least 1 for random pads that are not islands", size.Name);
      }
    }
  }

  void CheckPad(int x, int y, const TLevelCell& c) {
    const TPadField& maxSize = FieldOf(TCellField::MaxSize);
    const TPadField& size = FieldOf(TCellField::Size);
    if (c.Kind == pkWater) {
      // Water never grows: its sizes are not used.
      if (c.MaxSize > maxSize.Max || c.Size > size.Max) {
        WarnAt({{x, y}}, "cell (%d, %d) is water: its %s %d and %s %d are not used", x, y,
               maxSize.Name, c.MaxSize, size.Name, c.Size);
      }
      return;
    }
    for (const TPadField* f : {&maxSize, &size}) {
      const int value = static_cast<int>(f->Get(c));
      if (value > f->Max) {
        ErrorAt({{x, y}}, "cell (%d, %d): %s is %d, at most %d", x, y, f->Name, value, f->Max);
      }
    }
    if (c.MaxSize == 0) {
      static const char* const what[] = {"", "a lily pad", "an island", "a stepped pad"};
      ErrorAt({{x, y}}, "cell (%d, %d): MaxSize is 0, at least 1 for %s", x, y, what[c.Kind]);
    } else if (c.Size > c.MaxSize) {
      WarnAt({{x, y}}, "cell (%d, %d): Size %d is above MaxSize %d", x, y, c.Size, c.MaxSize);
    }
    if (c.Kind == pkIsland) {
      ++islands_;
      if (c.Size == 0)
        WarnAt({{x, y}}, "cell (%d, %d): an island of Size 0 is water for good", x, y);
    }
  }

  void CheckObjects(int x, int y, const TLevelCell& c) {
    for (int s = 0; s < LevelObjectSlots; ++s) {
      const TLevelObject& o = c.Objects[s];
      if (o.ObjType == otNone) continue;
      if (o.ObjType == otFood && o.ObjKind >= LevelFoodKinds) {
        ErrorAt({{x, y}}, "cell (%d, %d), slot %d: food ObjKind is %u, at most %d", x, y, s + 1,
                o.ObjKind, LevelFoodKinds - 1);
        continue;
      }
      if (o.ObjType > otMonster || (o.ObjType == otBonus && o.ObjKind >= BonusKindNames.size()) ||
          (o.ObjType == otMonster && o.ObjKind >= MonsterKindNames.size())) {
        WarnAt({{x, y}}, "cell (%d, %d), slot %d: ObjType %d with ObjKind %u creates nothing", x, y,
               s + 1, o.ObjType, o.ObjKind);
        continue;
      }
      if (c.Kind == pkWater) {
        WarnAt({{x, y}}, "cell (%d, %d) is water: what slot %d puts there sinks at once", x, y,
               s + 1);
      }
      if (o.ObjType == otMonster) monsters_.push_back({x, y});
    }
  }

  void CheckPlaces() {
    const int dx = r_.DragonX, dy = r_.DragonY;
    const bool dragonOnGrid = dx >= 1 && dx <= cols_ && dy >= 1 && dy <= rows_;
    if (dragonOnGrid) {
      const TLevelCell& c = r_.Cell(dx, dy);
      const TCells dragon{{dx, dy}};
      if (c.Kind == pkWater) {
        WarnAt(dragon, "the Dragon starts on water");
      } else if (c.Kind == pkRandom) {
        WarnAt(dragon, "the Dragon starts on a random pad, which may be under water");
      } else if (c.Kind <= pkStepped && c.Size == 0) {
        WarnAt(dragon, "the Dragon starts on a pad that is under water");
      }
      for (const auto& [mx, my] : monsters_) {
        const int dist = std::abs(mx - dx) + std::abs(my - dy);
        if (dist == 0) WarnAt(dragon, "a monster starts on the Dragon's cell (%d, %d)", dx, dy);
        if (dist == 1)
          WarnAt({{mx, my}}, "a monster starts next to the Dragon, at (%d, %d)", mx, my);
      }
    }
    if (dragonOnGrid) CheckCutOff(dx, dy);
    if (FixedDiamond()) {
      if (r_.DiamondX < 1 || r_.DiamondX > cols_ || r_.DiamondY < 1 || r_.DiamondY > rows_) return;
      const TLevelCell& c = r_.Cell(r_.DiamondX, r_.DiamondY);
      const TCells diamond{{r_.DiamondX, r_.DiamondY}};
      if (c.Kind == pkRandom) {
        WarnAt(diamond,
               "the diamond lies on a random pad: unless it becomes an island, it sinks away");
      } else if (c.Kind != pkIsland && c.Kind <= pkRandom) {
        WarnAt(diamond,
               "the diamond lies on a %s pad: it is lost when the pad shrinks below 10 pixels",
               PadKindName(c.Kind));
      }
      if (r_.DiamondDelay == 0 && dragonOnGrid && r_.DiamondX == dx && r_.DiamondY == dy) {
        WarnAt(diamond, "the diamond lies on the Dragon's start cell");
      }
    } else if (islands_ + islandsFromRandom_ == 0) {
      Warn("the diamond goes to a random island, but the level has no island");
    }
  }

  // Pads that no chain of pads links to the Dragon's start cell: the Dragon can never get there,
  // whatever the pads do.
  void CheckCutOff(int dx, int dy) {
    std::vector<std::vector<bool>> seen(cols_ + 1, std::vector<bool>(rows_ + 1, false));
    std::vector<std::pair<int, int>> todo{{dx, dy}};
    seen[dx][dy] = true;
    while (!todo.empty()) {
      const auto [x, y] = todo.back();
      todo.pop_back();
      const std::pair<int, int> next[] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
      for (const auto& [nx, ny] : next) {
        if (nx < 1 || nx > cols_ || ny < 1 || ny > rows_ || seen[nx][ny]) continue;
        if (r_.Cell(nx, ny).Kind == pkWater || r_.Cell(nx, ny).Kind > pkRandom) continue;
        seen[nx][ny] = true;
        todo.push_back({nx, ny});
      }
    }
    // The text names the first six; the problem carries them all.
    TCells cutOff;
    std::string named;
    for (int x = 1; x <= cols_; ++x) {
      for (int y = 1; y <= rows_; ++y) {
        const uint8_t kind = r_.Cell(x, y).Kind;
        if (seen[x][y] || kind == pkWater || kind > pkRandom) continue;
        cutOff.push_back({x, y});
        if (cutOff.size() <= 6) named += " (" + std::to_string(x) + ", " + std::to_string(y) + ")";
      }
    }
    const int count = static_cast<int>(cutOff.size());
    if (count > 0) {
      WarnAt(std::move(cutOff), "%d pad(s) cut off from the Dragon's start by water:%s%s", count,
             named.c_str(), count > 6 ? " ..." : "");
    }
  }

  void CheckPacing() {
    int bonusCount = 0;
    for (uint16_t n : r_.BonusCounts) bonusCount += n;
    if (bonusCount > 0 && bonusCount <= BonusBagRoom) {
      const int32_t interval = BonusIntervalFor(r_.TimeLimit, bonusCount);
      if (interval > 65535) {
        Warn(
            "the bonus bag holds %d entr%s over %d s, one every %d ms: above 65535, so no bonus "
            "ever comes",
            bonusCount, bonusCount == 1 ? "y" : "ies", r_.TimeLimit, interval);
      }
    }
    const auto share = EffectiveFoodShare(r_.FoodShare);
    for (int d = 1; d <= 3; ++d) {
      int64_t full = 0;
      const uint16_t kept = FoodIntervalFor(r_.TimeLimit, d, share, &full);
      if (full > 65535) {
        Warn("FoodInterval at difficulty %d is %lld ms, above 65535: it wraps to %d", d,
             static_cast<long long>(full), kept);
      }
    }
  }

  const TLevelRecord& r_;
  std::vector<TLevelProblem> problems_;
  int cols_ = 0, rows_ = 0;
  int islands_ = 0, islandsFromRandom_ = 0;
  std::vector<std::pair<int, int>> monsters_;
};

}  // namespace

std::vector<TLevelProblem> CheckLevelRecord(const TLevelRecord& record) {
  return TChecker(record).Check();
}

std::vector<TLevelProblem> LevelRecordErrors(const TLevelRecord& record) {
  std::vector<TLevelProblem> all = CheckLevelRecord(record);
  std::erase_if(all, [](const TLevelProblem& p) { return !p.Error; });
  return all;
}
