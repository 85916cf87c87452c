#include "tools/editor/editor_panel.h"

#include <algorithm>
#include <cstdio>

#include "game/level_kinds.h"
#include "tools/editor/editor_draw.h"

using namespace editor_draw;

namespace {

constexpr int32_t Left = PanelArea.Left + 8, Row = 19, ButtonH = 17;

struct TLayout {
  std::vector<TWidget> W;
  int32_t Y = 4;

  void Button(int32_t x, int32_t w, TAction a, int32_t arg, const std::string& label,
              bool on = false) {
    W.push_back({Bounds(x, Y, w, ButtonH), a, arg, label, "", on});
  }
  void Number(int32_t x, int32_t w, TAction a, int32_t arg, const std::string& label, int32_t value,
              const TPanelState& s) {
    const bool typing = s.TypingAction == a && s.TypingArg == arg;
    W.push_back({Bounds(x, Y, w, ButtonH), a, arg, label,
                 typing ? s.Typed + "_" : std::to_string(value), typing});
  }
  void Next(int32_t rows = 1) { Y += Row * rows; }
};

// A pad kind's brush: its name, capitalised.
std::string ToolName(int32_t kind) {
  std::string name = PadKindNames[kind];
  name[0] = static_cast<char>(name[0] - 'a' + 'A');
  return name;
}

struct TFieldRow {
  TLevelField Field;
  const char* Label;
};
const TFieldRow LevelRows[] = {
    {TLevelField::GridCols, "Columns"},           {TLevelField::GridRows, "Rows"},
    {TLevelField::TimeLimit, "Time s"},           {TLevelField::DiamondDelay, "Diamond after s"},
    {TLevelField::IslandPercent, "Islands %"},    {TLevelField::SteppedPercent, "Stepped %"},
    {TLevelField::RandomMaxSize, "Random px"},    {TLevelField::RandomPeriod, "Random period"},
    {TLevelField::RandomHoldFull, "Random full"}, {TLevelField::RandomHoldEmpty, "Random empty"},
};
struct TCellRow {
  TCellField Field;
  const char* Label;
};
const TCellRow CellRows[] = {
    {TCellField::MaxSize, "MaxSize px"}, {TCellField::Size, "Size px"},
    {TCellField::Period, "Period ms"},   {TCellField::HoldFull, "Full ms"},
    {TCellField::HoldEmpty, "Empty ms"}, {TCellField::Growing, "Growing"},
};

}  // namespace

std::vector<TWidget> BuildPanel(const TEditorModel& m, const TPanelState& s) {
  TLayout l;
  const TLevelRecord& r = m.Level();
  // Levels: which one, and their order.
  l.Button(Left, 22, TAction::PrevLevel, 0, "<");
  l.Button(Left + 104, 22, TAction::NextLevel, 0, ">");
  l.Button(Left + 132, 40, TAction::CopyLevel, 0, "Copy");
  l.Button(Left + 176, 40, TAction::PasteLevel, 0, "Paste");
  l.Button(Left + 220, 42, TAction::MoveUp, 0, "Earlier");
  l.Button(Left + 266, 38, TAction::MoveDown, 0, "Later");
  l.Next(2);
  // Brushes.
  for (int32_t k = 0; k < static_cast<int32_t>(PadKindNames.size()); ++k)
    l.Button(Left + k * 60, 58, TAction::Tool, k, ToolName(k), s.Tool == k);
  l.Next();
  l.Button(Left, 58, TAction::Tool, ttDragon, "Dragon", s.Tool == ttDragon);
  l.Button(Left + 60, 58, TAction::Tool, ttDiamond, "Diamond", s.Tool == ttDiamond);
  l.Button(Left + 120, 118, TAction::RandomDiamond, 0, "Diamond: random isl.");
  l.Button(Left + 240, 58, TAction::Tool, ttClear, "Clear", s.Tool == ttClear);
  l.Next();
  for (int32_t k = 0; k < LevelFoodKinds; ++k) {
    l.Button(Left + 60 + k * 48, 46, TAction::Tool, ttFood + k, std::to_string(k + 1),
             s.Tool == ttFood + k);
  }
  l.Next();
  for (int32_t k = 0; k < static_cast<int32_t>(BonusKindNames.size()); ++k) {
    l.Button(Left + 60 + k * 48, 46, TAction::Tool, ttBonus + k, BonusKindNames[k],
             s.Tool == ttBonus + k);
  }
  l.Next();
  for (int32_t k = 0; k < static_cast<int32_t>(MonsterKindNames.size()); ++k) {
    l.Button(Left + 60 + k * 48, 46, TAction::Tool, ttMonster + k, MonsterKindNames[k],
             s.Tool == ttMonster + k);
  }
  l.Next();
  // The level's numbers, two columns.
  l.Y += 6;
  for (size_t i = 0; i < std::size(LevelRows); ++i) {
    const int32_t x = Left + (i % 2 == 0 ? 0 : 152);
    l.Number(x + 96, 50, TAction::LevelField, static_cast<int32_t>(LevelRows[i].Field),
             LevelRows[i].Label, m.LevelFieldValue(LevelRows[i].Field), s);
    if (i % 2 == 1) l.Next();
  }
  for (int32_t k = 0; k < LevelFoodKinds; ++k) {
    l.Number(Left + 60 + k * 48, 44, TAction::FoodShare, k + 1, k == 0 ? "Food %" : "",
             r.FoodShare[k], s);
  }
  l.Next();
  for (int32_t c = 0; c < LevelBonusCodes; ++c) {
    l.Number(Left + 60 + (c % 5) * 48, 44, TAction::BonusCount, c + 1,
             c == 0 ? "Bag" : (c == 5 ? "Quiet" : ""), r.BonusCounts[c], s);
    if (c % 5 == 4) l.Next();
  }
  // The chosen cell's numbers.
  l.Y += 22;
  if (s.CellX > 0) {
    for (size_t i = 0; i < std::size(CellRows); ++i) {
      const int32_t x = Left + (i % 2 == 0 ? 0 : 152);
      l.Number(x + 96, 50, TAction::CellField, static_cast<int32_t>(CellRows[i].Field),
               CellRows[i].Label, m.CellFieldValue(s.CellX, s.CellY, CellRows[i].Field), s);
      if (i % 2 == 1) l.Next();
    }
  } else {
    l.Next(3);
  }
  // Files, undo, play and proof.
  l.Y += 4;
  l.Button(Left, 44, TAction::Save, 0, "Save");
  l.Button(Left + 48, 58, TAction::SaveAs, 0, "Save As");
  l.Button(Left + 110, 44, TAction::Undo, 0, "Undo");
  l.Button(Left + 158, 44, TAction::Redo, 0, "Redo");
  l.Button(Left + 206, 58, TAction::Prove, 0, s.Proof.Running ? "Stop" : "Prove F9",
           s.Proof.Running);
  l.Next();
  l.Button(Left, 58, TAction::Play, 0, "Play F5");
  for (int32_t d = 1; d <= 3; ++d) {
    static const char* const names[] = {"D1", "D2", "D3"};
    l.Button(Left + 62 + (d - 1) * 34, 30, TAction::PlayDifficulty, d, names[d - 1],
             s.PlayDifficulty == d);
  }
  const TProofResult& route = s.Proof.Results[s.PlayDifficulty - 1];
  if (route.Won && !s.Proof.Running && !s.ProofStale) {
    static const char* const watch[] = {"Watch the route at D1", "Watch the route at D2",
                                        "Watch the route at D3"};
    l.Button(Left + 166, 138, TAction::Watch, 0, watch[s.PlayDifficulty - 1]);
  }
  l.Next();
  return l.W;
}

std::string RangeText(const TWidget& w) {
  TFieldRange range{"", 0, 0, ""};
  switch (w.Action) {
    case TAction::LevelField:
      range = RangeOf(static_cast<TLevelField>(w.Arg));
      break;
    case TAction::CellField:
      range = RangeOf(static_cast<TCellField>(w.Arg));
      break;
    case TAction::FoodShare:
      range = FoodShareRange();
      break;
    case TAction::BonusCount:
      range = BonusCountRange();
      break;
    default:
      return "";
  }
  std::string text = std::to_string(range.Min) + " to " + std::to_string(range.Max);
  if (*range.Unit) text += std::string(" ") + range.Unit;
  return text;
}

void DrawPanel(TSurface& pic, const std::vector<TWidget>& widgets, const TEditorModel& m,
               const TPanelState& s) {
  Fill(pic, PanelArea, PanelBlue);
  Fill(pic, {PanelArea.Left, 0, PanelArea.Left + 2, PanelArea.Bottom}, LightBlue);
  const TLevelRecord& r = m.Level();
  // Titles beside the widgets.
  char title[64];
  std::snprintf(title, sizeof title, "Level %d / %d", m.Current() + 1, m.LevelCount());
  TextIn(pic, Bounds(Left + 22, 4, 82, ButtonH), title, m.HasErrors() ? Heart : Cream);
  std::string file = m.Path().empty() ? "new pack" : m.Path().substr(m.Path().rfind('/') + 1);
  if (m.ReadOnly()) file += " (read-only)";
  if (m.Dirty()) file += " *";
  Text(pic, Left, 4 + Row + 1, file, Cream);
  const int32_t toolsY = 4 + 2 * Row;
  Text(pic, Left, toolsY + 2 * Row + 1, "Food", Cream);
  Text(pic, Left, toolsY + 3 * Row + 1, "Bonus", Cream);
  Text(pic, Left, toolsY + 4 * Row + 1, "Monster", Cream);
  for (const TWidget& w : widgets) {
    if (w.Value.empty()) {
      Button(pic, w.Rect, w.On);
      TextIn(pic, w.Rect, w.Label, w.On ? Navy : Cream);
      continue;
    }
    if (!w.Label.empty()) {
      const int32_t lw = TextWidth(pic, w.Label);
      const int32_t x = w.Action == TAction::LevelField || w.Action == TAction::CellField
                            ? w.Rect.Left - lw - 4
                            : Left;
      Text(pic, x, w.Rect.Top + 1, w.Label, Cream);
    }
    Fill(pic, w.Rect, w.On ? Ring : 0x1F5FA8);
    Frame(pic, w.Rect, w.On ? Gold : Navy);
    Text(pic, w.Rect.Left + 4, w.Rect.Top + 1, w.Value, w.On ? Navy : Cream);
  }
  // The allowed range under the number being typed, red once a number was refused.
  for (const TWidget& w : widgets) {
    if (!w.On || w.Value.empty()) continue;
    const std::string range = (s.Refused ? "refused: " : "") + RangeText(w);
    const int32_t width = TextWidth(pic, range) + 8;
    const int32_t left = std::min(w.Rect.Left, PanelArea.Right - 2 - width);
    const TRect tip = Bounds(left, w.Rect.Bottom + 1, width, 16);
    Fill(pic, tip, Ring);
    Frame(pic, tip, Navy);
    Text(pic, tip.Left + 4, tip.Top + 1, range, s.Refused ? Heart : Navy);
  }
  // The chosen cell.
  // Over the cell's numbers, or where they would be.
  int32_t cellTitleY = 0;
  for (const TWidget& w : widgets) {
    if (w.Action == TAction::Save) cellTitleY = w.Rect.Top - 4 * Row - 4;
  }
  if (s.CellX > 0) {
    const TLevelCell& c = r.Cell(s.CellX, s.CellY);
    std::string objects;
    for (const TLevelObject& o : c.Objects) {
      if (o.ObjType == otFood) objects += " food" + std::to_string(o.ObjKind + 1);
      if (o.ObjType == otBonus) objects += std::string(" ") + BonusKindName(o.ObjKind);
      if (o.ObjType == otMonster) objects += std::string(" ") + MonsterKindName(o.ObjKind);
    }
    std::snprintf(title, sizeof title, "Cell (%d, %d) %s:", s.CellX, s.CellY, PadKindName(c.Kind));
    Text(pic, Left, cellTitleY, std::string(title) + (objects.empty() ? " nothing on it" : objects),
         Gold);
  } else {
    Text(pic, Left, cellTitleY, "Click a cell to see its numbers", Gold);
  }
  // The casual player's win rate, at the foot of the panel under the proof, with a thin bar of
  // its tries while they run.
  const int32_t rateY = PanelArea.Bottom - 22;
  Text(pic, Left, rateY, s.Rate, s.RateBad ? Heart : Gold);
  if (s.RateProgress >= 0) {
    const TRect rateBar = Bounds(Left, rateY + 16, 304, 3);
    Fill(pic, rateBar, 0x1F5FA8);
    Fill(pic,
         {rateBar.Left, rateBar.Top,
          rateBar.Left + static_cast<int32_t>(304 * std::min(1.0, s.RateProgress)), rateBar.Bottom},
         0x6CD05A);
  }
  // The proof.
  int32_t y = widgets.back().Rect.Bottom + 4;
  const TRect bar = Bounds(Left, y, 304, 10);
  Fill(pic, bar, 0x1F5FA8);
  Fill(pic,
       {bar.Left, bar.Top, bar.Left + static_cast<int32_t>(304 * s.Proof.Progress), bar.Bottom},
       0x6CD05A);
  Frame(pic, bar, Navy);
  y += 14;
  if (!s.Proof.Error.empty()) {
    Text(pic, Left, y, s.Proof.Error, Heart);
    return;
  }
  if (s.ProofStale) {
    Text(pic, Left, y, "Not proved as it is: F9 proves it", Cream);
    return;
  }
  for (const TProofResult& p : s.Proof.Results) {
    if (!p.Done) continue;
    char line[96];
    if (p.Won) {
      std::snprintf(line, sizeof line, "Difficulty %d: won, %d s left, energy %d", p.Difficulty,
                    p.TimeLeft, p.Energy);
    } else {
      std::snprintf(line, sizeof line, "Difficulty %d: no win found", p.Difficulty);
    }
    Text(pic, Left, y, line, p.Won ? Cream : Heart);
    y += 15;
  }
  if (s.Proof.Stopped) Text(pic, Left, y, "proof stopped", Gold);
}
