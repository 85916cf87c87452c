#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// What the frame driver and the input handlers call in the screens, the rules and the actors.
// Each screen keeps its own state; these are its entry points.

// Title menu.
void BuildMenu();
void DrawTitle();
void ResetMenu();  // back to the first item, highlights cleared
void MoveSelection(int32_t delta);
int32_t MenuSelected();  // 1-based
int32_t MenuItemCount();
bool PointerOverSelected();
void ActivateSelected();

// High-score table.
void RecordsFrame();
bool RecordsEntering();  // a name is being typed
void LeaveHighScores();
void NameEntryChar(char c);

// Options screen.
void OptionsFrame();
void OptionsKey(int32_t key);
void OptionsClick();
void ClearOptionsPending();

// Help screen.
void HelpFrame();
void HelpKey(int32_t key);

// Demos.
void DemoStep();
void StartDemo();
void EndDemo();

// Rules of play.
void NewGame(int32_t start);
void ContinueAfterKey();
void AnimatePads();
void SinkAllPads();
void SpawnBonus();
void SpawnFood();
void CheckLevelEnd();
void ShowFinalEnding();

// The playfield picture (flips the display).
void DrawPlayfield();

// Effects: the falling caption and the zooming transition caption.
void StartFallingCaption(const std::string& imageName);
bool TransitionFinished();
void TransitionRestoreState();  // puts back the state the transition interrupted
void FreeTransition();

// The Dragon.
void RequestJump(int32_t dx, int32_t dy);

// Shared text.
void DrawPressAnyKey(int32_t y);

// What lies on the pond, for the headless driver's report.
struct TItemReport {
  std::string Kind;  // "food", "diamond" or the bonus's picture name
  int32_t Column = 0, Row = 0;
};
struct TActorReport {
  bool HasDragon = false;
  int32_t DragonColumn = 0, DragonRow = 0;
  bool Jumping = false;
  int32_t Energy = 0;
  int32_t Sprites = 0;
  std::vector<std::array<int32_t, 3>> Monsters;  // kind (1 red, 2 green, 3 shaggy), column, row
  std::vector<TItemReport> Items;
};
TActorReport DescribeActors();
