#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/game_state.h"

// What the frame driver and the input handlers call in the screens, the rules and the actors.
// Each screen keeps its own state; these are its entry points.

// Title menu.
void BuildMenu();
void DrawTitle();
void ResetMenu();  // zooms stopped, pointer above the menu; the selection stays
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

// High-score table, as the end of a game asks for it.
void LoadHighScoresOnce();         // reads the table the first time it is needed
int32_t ScoreRank(int32_t score);  // 1..10, or 0 for no place
// Opens the table screen (creating it on first use); with enter, inserts score at its rank and
// starts name entry.
void ShowHighScores(bool enter, int32_t score);

// Effects: the falling caption, the zooming transition caption and the score pop-ups.
void StartFallingCaption(const std::string& imageName);
bool FallingCaptionActive();
void DrawFallingCaption();
// Starts a zooming caption: remembers GameState and switches to gsTransition.
void StartTransition(const std::string& imageName, int32_t duration, int32_t turns,
                     int32_t alphaFrom, int32_t alphaTo);
void DrawTransitionStep();
bool TransitionFinished();
bool TransitionInterrupted(TGameState state);  // the running caption interrupted that state
void TransitionRestoreState();                 // puts back the state the transition interrupted
void FreeTransition();
void ShowScorePopup(int32_t points);
void DrawScorePopups();

// The Dragon.
void RequestJump(int32_t dx, int32_t dy);

// Shared text: the bitmap font on the display's drawing surface, and a line in a system font.
void DrawPressAnyKey(int32_t y);
void DrawStringCentred(int32_t y, const std::string& text);
void DrawFrameCounter();
// A centred line in a system font with a drop shadow; colour is 0x00BBGGRR.
void DrawShadowText(const std::string& text, const std::string& fontName, int32_t size, int32_t y,
                    uint32_t colour);

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
