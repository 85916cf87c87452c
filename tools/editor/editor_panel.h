#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "pixels/rect.h"
#include "pixels/surface.h"
#include "tools/editor/editor_model.h"
#include "tools/editor/prove_runner.h"

// The editor window's layout: the level's picture at the top left (the game's 640 x 480), the
// messages under it, the panel of tools, numbers and buttons on the right.
constexpr int32_t EditorWidth = 960, EditorHeight = 560;
constexpr TRect PictureArea{0, 0, 640, 480};
constexpr TRect MessageArea{0, 480, 640, 560};
constexpr TRect PanelArea{640, 0, 960, 560};

// What a brush puts on a cell: a pad kind (0..4), the Dragon, the diamond, or an object.
enum TTool : int32_t {
  ttWater = 0,
  ttLily,
  ttIsland,
  ttStepped,
  ttRandom,
  ttDragon = 10,
  ttDiamond,
  ttClear,
  ttFood = 20,     // + food kind 0..4
  ttBonus = 30,    // + bonus kind 0..4
  ttMonster = 40,  // + monster kind 0..2
};

enum class TAction {
  Tool,
  LevelField,
  CellField,
  FoodShare,
  BonusCount,
  PrevLevel,
  NextLevel,
  CopyLevel,
  PasteLevel,
  MoveUp,
  MoveDown,
  RandomDiamond,
  Save,
  SaveAs,
  Prove,
  Undo,
  Redo,
  Play,
  PlayDifficulty,
  Watch
};

// One thing of the panel that a click does something with.
struct TWidget {
  TRect Rect;
  TAction Action = TAction::Tool;
  int32_t Arg = 0;    // the tool, field, food kind or bonus code
  std::string Label;  // drawn before a number, or on a button
  std::string Value;  // a number's text ("" for a button)
  bool On = false;    // the tool in use, or the number being typed
};

// What the panel shows besides the model.
struct TPanelState {
  int32_t Tool = ttLily;
  int32_t CellX = 0, CellY = 0;  // the cell whose numbers are shown; 0: none
  TAction TypingAction = TAction::Tool;
  int32_t TypingArg = -1;
  std::string Typed;
  bool Refused = false;  // the number typed last was out of range
  int32_t PlayDifficulty = 1;
  TProveRunner::TStatus Proof;
  bool ProofStale = false;   // the level shown is not the one proved
  std::string Rate;          // the casual player's win rate, or how far its tries are
  double RateProgress = -1;  // 0 to 1 while the tries run
  bool RateBad = false;      // the tries could not be played
};

// The panel's widgets for the model and state, laid out.
std::vector<TWidget> BuildPanel(const TEditorModel& model, const TPanelState& state);
// Draws the panel's widgets, titles, the proof's progress and the win rate into picture.
void DrawPanel(TSurface& picture, const std::vector<TWidget>& widgets, const TEditorModel& model,
               const TPanelState& state);
// The allowed range of the number a widget holds ("1 to 999 s").
std::string RangeText(const TWidget& widget);
