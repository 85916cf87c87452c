#include "tools/levels/level_text.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <span>
#include <sstream>
#include <vector>

#include "core/pad.h"
#include "game/level_fields.h"
#include "game/level_kinds.h"

namespace {

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::vector<std::string> Tokens(std::string_view line) {
  std::vector<std::string> out;
  std::istringstream in{std::string(line)};
  std::string t;
  while (in >> t) out.push_back(t);
  return out;
}

class TParser {
 public:
  TParser(std::string_view text, const std::string& name) : text_(text), name_(name) {}

  TLevelSource Run() {
    std::istringstream in{std::string(text_)};
    std::string line;
    while (std::getline(in, line)) {
      ++lineNo_;
      if (inMap_) {
        MapLine(line);
        continue;
      }
      const size_t hash = line.find('#');
      const std::string_view body = std::string_view(line).substr(0, hash);
      const std::vector<std::string> t = Tokens(body);
      if (t.empty()) continue;
      if (SameText(t[0], "Note")) {
        Note(line);
      } else if (SameText(t[0], "Pad")) {
        PadLine(t);
      } else if (SameText(t[0], "Map")) {
        if (t.size() != 1) Fail("nothing may follow 'Map' on its line");
        if (mapSeen_) Fail("a second map");
        mapSeen_ = inMap_ = true;
        mapLine_ = lineNo_;
      } else if (SameText(t[0], "At")) {
        AtLine(t);
      } else if (SameText(t[0], "FoodShare")) {
        if (t.size() != 6) Fail("FoodShare takes five shares");
        for (int k = 0; k < LevelFoodKinds; ++k)
          src_.Record.FoodShare[k] = static_cast<uint8_t>(Number(t[k + 1], 255));
      } else if (SameText(t[0], "Bonus")) {
        BonusLine(t);
      } else {
        WordLine(t);
      }
    }
    if (inMap_) Fail("the map has no 'End'");
    BuildGrid();
    return std::move(src_);
  }

 private:
  [[noreturn]] void Fail(const std::string& message) const {
    const std::string where = lineNo_ > 0 ? name_ + ":" + std::to_string(lineNo_) : name_;
    throw ELevelSyntax(where + ": " + message);
  }

  uint32_t Number(const std::string& t, uint32_t max) const {
    if (t.empty() ||
        !std::all_of(t.begin(), t.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }) ||
        t.size() > 10) {
      Fail("'" + t + "' is not a number");
    }
    const unsigned long long v = std::stoull(t);
    if (v > max) Fail(t + " is above " + std::to_string(max));
    return static_cast<uint32_t>(v);
  }

  void Note(const std::string& line) {
    if (!src_.Note.empty()) Fail("a second note");
    const size_t at = line.find_first_not_of(" \t");
    src_.Note = line.substr(at + 4);
    const size_t start = src_.Note.find_first_not_of(" \t");
    src_.Note = start == std::string::npos ? "" : src_.Note.substr(start);
    while (!src_.Note.empty() && std::isspace(static_cast<unsigned char>(src_.Note.back())))
      src_.Note.pop_back();
  }

  void WordLine(const std::vector<std::string>& t) {
    for (const THeaderField& f : LevelFields) {
      if (!SameText(t[0], f.Name)) continue;
      if (t.size() != 2) Fail(std::string(f.Name) + " takes one number");
      f.Set(src_.Record, Number(t[1], f.Largest()));
      return;
    }
    Fail("unknown field '" + t[0] + "'");
  }

  void BonusLine(const std::vector<std::string>& t) {
    if (t.size() != 3)
      Fail("Bonus takes an event code (or mega, up, time, stable, life) and a count");
    int code = KindByName(BonusKindNames, t[1]) + 1;
    if (code == 0) code = static_cast<int>(Number(t[1], LevelBonusCodes));
    if (code < 1) Fail("event codes run from 1 to 20");
    uint16_t& count = src_.Record.BonusCounts[code - 1];
    count = static_cast<uint16_t>(std::min<uint32_t>(65535, count + Number(t[2], 65535)));
  }

  void PadLine(const std::vector<std::string>& t) {
    if (t.size() < 3) Fail("Pad takes a name, a kind and its fields");
    const std::string& name = t[1];
    if (name == "." || name == "?")
      Fail("'" + name + "' is taken: plain water and plain random pad");
    if (pads_.count(name)) Fail("pad '" + name + "' is defined twice");
    TLevelCell cell;
    const int32_t kind = KindByName(PadKindNames, t[2]);
    cell.Kind = static_cast<uint8_t>(kind >= 0 ? kind : Number(t[2], 255));
    if ((t.size() - 3) % 2 != 0) Fail("pad fields come as name and number");
    bool sizeGiven = false;
    for (size_t i = 3; i < t.size(); i += 2) {
      bool known = false;
      for (const TPadField& f : PadFields) {
        if (!SameText(t[i], f.Name)) continue;
        f.Set(cell, Number(t[i + 1], f.Largest()));
        if (f.Word == &TLevelCell::Size) sizeGiven = true;
        known = true;
      }
      if (!known) Fail("unknown pad field '" + t[i] + "'");
    }
    if (!sizeGiven) cell.Size = cell.MaxSize;
    pads_[name] = cell;
  }

  void AtLine(const std::vector<std::string>& t) {
    if (t.size() < 4) Fail("At takes a column, a row and objects");
    const int x = static_cast<int>(Number(t[1], LevelMaxCols));
    const int y = static_cast<int>(Number(t[2], LevelMaxRows));
    if (x < 1 || y < 1) Fail("cells count from 1");
    std::vector<TLevelObject>& slots = objects_[{x, y}];
    for (size_t i = 3; i < t.size();) {
      TLevelObject o;
      const std::string& what = t[i];
      if (SameText(what, "empty")) {
        i += 1;
      } else if (i + 1 >= t.size()) {
        Fail("'" + what + "' needs a kind");
      } else if (SameText(what, "food")) {
        const uint32_t k = Number(t[i + 1], 4294967295u);
        if (k < 1) Fail("food kinds run from 1 to " + std::to_string(LevelFoodKinds));
        o = {otFood, k - 1};
        i += 2;
      } else if (SameText(what, "bonus")) {
        o = {otBonus, Named(t[i + 1], BonusKindNames, "bonus")};
        i += 2;
      } else if (SameText(what, "monster")) {
        o = {otMonster, Named(t[i + 1], MonsterKindNames, "monster")};
        i += 2;
      } else if (SameText(what, "raw")) {
        if (i + 2 >= t.size()) Fail("raw takes an ObjType and an ObjKind");
        o = {static_cast<uint8_t>(Number(t[i + 1], 255)), Number(t[i + 2], 4294967295u)};
        i += 3;
      } else {
        Fail("unknown object '" + what + "'");
      }
      if (slots.size() == LevelObjectSlots) Fail("a cell has five object slots");
      slots.push_back(o);
    }
  }

  uint32_t Named(const std::string& t, std::span<const char* const> names, const char* what) {
    const int32_t kind = KindByName(names, t);
    if (kind < 0) Fail(std::string("unknown ") + what + " '" + t + "'");
    return static_cast<uint32_t>(kind);
  }

  void MapLine(const std::string& line) {
    const std::vector<std::string> t = Tokens(line.substr(0, line.find('#')));
    if (t.empty()) return;
    if (t.size() == 1 && SameText(t[0], "End")) {
      inMap_ = false;
      return;
    }
    map_.push_back({lineNo_, t});
  }

  void BuildGrid() {
    TLevelRecord& r = src_.Record;
    lineNo_ = mapLine_;
    if (!mapSeen_) Fail("no map");
    if (r.GridCols < 1 || r.GridCols > LevelMaxCols || r.GridRows < 1 ||
        r.GridRows > LevelMaxRows) {
      Fail("the map needs GridCols 1 to 16 and GridRows 1 to 11 first");
    }
    if (static_cast<int>(map_.size()) != r.GridRows) {
      Fail("the map has " + std::to_string(map_.size()) + " rows, GridRows is " +
           std::to_string(r.GridRows));
    }
    for (int y = 1; y <= r.GridRows; ++y) {
      const auto& [line, names] = map_[y - 1];
      lineNo_ = line;
      if (static_cast<int>(names.size()) != r.GridCols) {
        Fail("row " + std::to_string(y) + " has " + std::to_string(names.size()) +
             " cells, GridCols is " + std::to_string(r.GridCols));
      }
      for (int x = 1; x <= r.GridCols; ++x) {
        const std::string& n = names[x - 1];
        TLevelCell cell;
        if (n == "?") {
          cell.Kind = pkRandom;
        } else if (n != ".") {
          const auto it = pads_.find(n);
          if (it == pads_.end()) Fail("no pad is called '" + n + "'");
          cell = it->second;
        }
        r.Cell(x, y) = cell;
      }
    }
    for (const auto& [xy, slots] : objects_) {
      if (xy.first > r.GridCols || xy.second > r.GridRows) {
        lineNo_ = 0;
        Fail("objects at (" + std::to_string(xy.first) + ", " + std::to_string(xy.second) +
             ") lie outside the grid");
      }
      std::copy(slots.begin(), slots.end(), r.Cell(xy.first, xy.second).Objects.begin());
    }
  }

  std::string_view text_;
  std::string name_;
  int lineNo_ = 0;
  TLevelSource src_;
  std::map<std::string, TLevelCell> pads_;
  std::map<std::pair<int, int>, std::vector<TLevelObject>> objects_;
  std::vector<std::pair<int, std::vector<std::string>>> map_;
  bool inMap_ = false, mapSeen_ = false;
  int mapLine_ = 0;
};

// Pad names for a dump: one per distinct cell of the grid, by kind.
std::map<std::vector<uint16_t>, std::string> NamePads(const TLevelRecord& r,
                                                      std::vector<TLevelCell>& order) {
  std::map<std::vector<uint16_t>, std::string> names;
  std::map<int, int> perKind;
  for (int x = 1; x <= r.GridCols; ++x) {
    for (int y = 1; y <= r.GridRows; ++y) {
      TLevelCell c = r.Cell(x, y);
      c.Objects = {};
      const std::vector<uint16_t> key{c.Kind,      c.MaxSize, c.Size,   c.HoldFull,
                                      c.HoldEmpty, c.Period,  c.Growing};
      if (names.count(key)) continue;
      // Plain water and plain random pads go by a sign of their own.
      const bool water = c == TLevelCell{}, random = c == TLevelCell{.Kind = pkRandom};
      if (water || random) {
        names.emplace(key, std::string(1, water ? '.' : '?'));
        continue;
      }
      static const char letters[] = "WLISR";
      const char letter = c.Kind <= 4 ? letters[c.Kind] : 'X';
      const int n = ++perKind[letter];
      std::string name(1, letter);
      if (n > 1) name += std::to_string(n);
      names.emplace(key, std::move(name));
      order.push_back(c);
    }
  }
  return names;
}

std::vector<uint16_t> Key(const TLevelCell& c) {
  return {c.Kind, c.MaxSize, c.Size, c.HoldFull, c.HoldEmpty, c.Period, c.Growing};
}

}  // namespace

TLevelSource ParseLevelSource(std::string_view text, const std::string& name) {
  return TParser(text, name).Run();
}

std::string FormatLevelSource(const TLevelRecord& r, const std::string& note) {
  std::ostringstream out;
  if (!note.empty()) out << "Note " << note << "\n";
  for (const THeaderField& f : LevelFields) out << f.Name << " " << f.Get(r) << "\n";
  out << "FoodShare";
  for (uint8_t s : r.FoodShare) out << " " << int{s};
  out << "\n";
  for (int code = 1; code <= LevelBonusCodes; ++code) {
    const uint16_t n = r.BonusCounts[code - 1];
    if (n == 0) continue;
    const bool named = code <= static_cast<int>(BonusKindNames.size());
    out << "Bonus " << (named ? BonusKindNames[code - 1] : std::to_string(code)) << " " << n
        << "\n";
  }
  const bool gridOk = r.GridCols >= 1 && r.GridCols <= LevelMaxCols && r.GridRows >= 1 &&
                      r.GridRows <= LevelMaxRows;
  if (!gridOk) return out.str();  // nothing more can be said about the cells

  std::vector<TLevelCell> order;
  const auto names = NamePads(r, order);
  out << "\n";
  for (const TLevelCell& c : order) {
    out << "Pad " << names.at(Key(c)) << " ";
    if (c.Kind < PadKindNames.size())
      out << PadKindNames[c.Kind];
    else
      out << int{c.Kind};
    for (const TPadField& f : PadFields) out << " " << f.Name << " " << f.Get(c);
    out << "\n";
  }
  size_t width = 1;
  for (const auto& [key, name] : names) width = std::max(width, name.size());
  out << "\nMap\n";
  for (int y = 1; y <= r.GridRows; ++y) {
    std::string row;
    for (int x = 1; x <= r.GridCols; ++x) {
      const std::string& n = names.at(Key(r.Cell(x, y)));
      row += " " + n + std::string(width - n.size(), ' ');
    }
    while (!row.empty() && row.back() == ' ') row.pop_back();
    out << " " << row << "\n";
  }
  out << "End\n";
  bool first = true;
  for (int x = 1; x <= r.GridCols; ++x) {
    for (int y = 1; y <= r.GridRows; ++y) {
      const auto& slots = r.Cell(x, y).Objects;
      int used = LevelObjectSlots;
      while (used > 0 && slots[used - 1] == TLevelObject{}) --used;
      if (used == 0) continue;
      if (first) out << "\n";
      first = false;
      out << "At " << x << " " << y;
      for (int s = 0; s < used; ++s) {
        const TLevelObject& o = slots[s];
        if (o == TLevelObject{}) {
          out << " empty";
        } else if (o.ObjType == otFood && o.ObjKind < LevelFoodKinds) {
          out << " food " << o.ObjKind + 1;
        } else if (o.ObjType == otBonus && o.ObjKind < BonusKindNames.size()) {
          out << " bonus " << BonusKindNames[o.ObjKind];
        } else if (o.ObjType == otMonster && o.ObjKind < MonsterKindNames.size()) {
          out << " monster " << MonsterKindNames[o.ObjKind];
        } else {
          out << " raw " << int{o.ObjType} << " " << o.ObjKind;
        }
      }
      out << "\n";
    }
  }
  return out.str();
}
