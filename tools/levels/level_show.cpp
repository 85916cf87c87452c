#include "tools/levels/level_show.h"

#include <cstdio>
#include <iterator>
#include <map>
#include <sstream>
#include <tuple>

#include "core/level_pacing.h"
#include "core/pad.h"
#include "game/level_check.h"
#include "game/level_kinds.h"

namespace {

std::string Printf(const char* fmt, auto... args) {
  char buf[512];
  std::snprintf(buf, sizeof buf, fmt, args...);
  return buf;
}

const char* PadMark(uint8_t kind) {
  switch (kind) {
    case pkWater:
      return "~";
    case pkLily:
      return "O";
    case pkIsland:
      return "#";
    case pkStepped:
      return "s";
    case pkRandom:
      return "?";
  }
  return "!";
}

std::string ObjectMark(const TLevelObject& o) {
  if (o.ObjType == otFood) {
    std::string mark = "f";
    mark += std::to_string(o.ObjKind + 1);
    return mark;
  }
  if (o.ObjType == otBonus) {
    static const char* const marks[] = {"bM", "bU", "bT", "bS", "bL"};
    static_assert(std::size(marks) == BonusKindNames.size());
    return o.ObjKind < std::size(marks) ? marks[o.ObjKind] : "b?";
  }
  if (o.ObjType == otMonster) {
    static const char* const marks[] = {"R", "G", "Z"};
    static_assert(std::size(marks) == MonsterKindNames.size());
    return o.ObjKind < std::size(marks) ? marks[o.ObjKind] : "M?";
  }
  return o.ObjType == otNone ? "" : "x";
}

std::string CellText(const TLevelRecord& r, int x, int y) {
  const TLevelCell& c = r.Cell(x, y);
  std::string s = PadMark(c.Kind);
  if (c.Kind >= pkLily && c.Kind <= pkStepped) s += std::to_string(c.MaxSize);
  if (x == r.DragonX && y == r.DragonY) s += "D";
  const bool fixedDiamond = r.DiamondDelay == 0 || (r.DiamondX > 0 && r.DiamondY > 0);
  if (fixedDiamond && x == r.DiamondX && y == r.DiamondY) s += "*";
  if (c.Kind != pkRandom) {
    for (const TLevelObject& o : c.Objects) s += ObjectMark(o);
  }
  return s;
}

std::string Seconds(int ms) {
  return Printf("%d.%d s", ms / 1000, ms % 1000 / 100);
}

}  // namespace

std::string ShowLevel(const TLevelRecord& r, int levelNo, const std::string& note) {
  std::ostringstream out;
  const bool gridOk = r.GridCols >= 1 && r.GridCols <= LevelMaxCols && r.GridRows >= 1 &&
                      r.GridRows <= LevelMaxRows;
  out << "Level " << levelNo << ": " << r.GridCols << " x " << r.GridRows;
  if (gridOk) out << " cells of " << 640 / r.GridCols << " x " << 440 / r.GridRows << " px";
  out << ", " << r.TimeLimit << " s, diamond ";
  if (r.DiamondDelay == 0)
    out << "from the start";
  else
    out << "after " << r.DiamondDelay << " s";
  if (r.DiamondDelay > 0 && (r.DiamondX == 0 || r.DiamondY == 0))
    out << " on a random island\n";
  else
    out << " on (" << r.DiamondX << ", " << r.DiamondY << ")\n";
  if (!note.empty()) out << "  " << note << "\n";

  if (gridOk) {
    size_t width = 3;
    for (int x = 1; x <= r.GridCols; ++x)
      for (int y = 1; y <= r.GridRows; ++y) width = std::max(width, CellText(r, x, y).size());
    std::string numbers = "    ";
    for (int x = 1; x <= r.GridCols; ++x) {
      const std::string n = std::to_string(x);
      numbers += n + std::string(width + 1 - n.size(), ' ');
    }
    while (numbers.back() == ' ') numbers.pop_back();
    out << "\n" << numbers << "\n";
    for (int y = 1; y <= r.GridRows; ++y) {
      std::string line = Printf("%2d  ", y);
      for (int x = 1; x <= r.GridCols; ++x) {
        const std::string t = CellText(r, x, y);
        line += t + std::string(width + 1 - t.size(), ' ');
      }
      while (line.back() == ' ') line.pop_back();
      out << line << "\n";
    }
    out << "\n  ~ water  O lily pad  # island  s stepped pad  ? random pad (digits: MaxSize in "
           "units"
           " of 90/7 px)\n  D Dragon  * diamond  f1-f5 food  bM bU bT bS bL bonus (mega, up, time,"
           " stable, life)  R G Z monster (red, green, shaggy)\n\n";

    // The pad cycles, one line per distinct pad.
    std::map<std::tuple<int, int, int, int, int, int, int>, int> pads;
    int randomPads = 0;
    for (int x = 1; x <= r.GridCols; ++x) {
      for (int y = 1; y <= r.GridRows; ++y) {
        const TLevelCell& c = r.Cell(x, y);
        if (c.Kind == pkRandom) ++randomPads;
        if (c.Kind < pkLily || c.Kind > pkStepped) continue;
        ++pads[{c.Kind, c.MaxSize, c.Size, c.HoldFull, c.HoldEmpty, c.Period, c.Growing != 0}];
      }
    }
    for (const auto& [key, count] : pads) {
      const auto [kind, maxSize, size, holdFull, holdEmpty, period, growing] = key;
      out << Printf("  %2d x %-7s %3d px", count, PadKindName(kind), SizeUnitsToPixels(maxSize));
      if (kind == pkIsland) {
        out << Printf(" (size %d px), never changes\n", SizeUnitsToPixels(size));
        continue;
      }
      const int cycle = 2 * period + holdFull + holdEmpty;
      const int afloat = cycle > 0 ? (2 * period + holdFull) * 100 / cycle : 100;
      out << Printf(", starts %d px %s; grow/shrink %s, full %s, under %s: afloat %d%% of %s\n",
                    SizeUnitsToPixels(size), growing ? "growing" : "shrinking",
                    Seconds(period).c_str(), Seconds(holdFull).c_str(), Seconds(holdEmpty).c_str(),
                    afloat, Seconds(cycle).c_str());
    }
    if (randomPads > 0) {
      const int k2 = std::min(randomPads, r.IslandPercent * randomPads / 100);
      const int k3 = std::min(randomPads, r.SteppedPercent * randomPads / 100 + k2);
      out << Printf(
          "  %2d x random: %d islands, %d stepped, %d lily; up to %d px, grow/shrink "
          "%s+, full %s+, under %s+\n",
          randomPads, k2, k3 - k2, randomPads - k3, SizeUnitsToPixels(r.RandomMaxSize),
          Seconds(r.RandomPeriod).c_str(), Seconds(r.RandomHoldFull).c_str(),
          Seconds(r.RandomHoldEmpty).c_str());
    }
  }

  int bonusCount = 0;
  std::string bag;
  for (int code = 1; code <= LevelBonusCodes; ++code) {
    const int n = r.BonusCounts[code - 1];
    if (n == 0) continue;
    bonusCount += n;
    const bool named = code <= static_cast<int>(BonusKindNames.size());
    bag += Printf(" %s x%d",
                  named ? BonusKindNames[code - 1] : ("blank" + std::to_string(code)).c_str(), n);
  }
  if (bonusCount == 0)
    out << "  bonus bag: empty\n";
  else
    out << "  bonus bag:" << bag << "; one every " << BonusIntervalFor(r.TimeLimit, bonusCount)
        << " ms\n";
  const auto share = EffectiveFoodShare(r.FoodShare);
  out << Printf(
      "  food: shares %d %d %d %d %d; one every %d / %d / %d ms on difficulty 1 / 2 / 3\n",
      share[0], share[1], share[2], share[3], share[4], FoodIntervalFor(r.TimeLimit, 1, share),
      FoodIntervalFor(r.TimeLimit, 2, share), FoodIntervalFor(r.TimeLimit, 3, share));
  for (const TLevelProblem& p : CheckLevelRecord(r)) {
    out << "  " << (p.Error ? "error: " : "warning: ") << p.Text << "\n";
  }
  return out.str();
}
