#pragma once
#include <cstdint>
#include <string>

// The screens' entry points: what the input routing calls, and what the game reaches through
// its screens interface (game/screens.h). Each screen keeps its own state.

// Title menu.
void BuildMenu();
void DrawTitle();
void ResetMenu();  // zooms stopped, pointer above the menu; the selection stays
void MoveSelection(int32_t delta);
int32_t MenuSelected();  // 1-based
int32_t MenuItemCount();
bool PointerOverSelected();
void ActivateSelected();
// A finger lifted on an item (at the pointer): that item is selected and taken at once.
void TapMenuItem();

// High-score table.
void RecordsFrame();
bool RecordsEntering();  // a name is being typed
void LeaveHighScores();
void NameEntryChar(char c);
// The question after the first score entered: share scores in the world table, Yes or No.
bool RecordsAsking();
void RecordsAskKey(int32_t key);
void RecordsAskClick(int32_t x, int32_t y);
// A key's release that leaves the table alone: while the question is up, and the release of
// the key that answered it (which takes it, once).
bool RecordsHoldKeyUp();

// Options screen.
void OptionsFrame();
void OptionsKey(int32_t key);
void OptionsClick();
void ClearOptionsPending();

// Help screen.
void HelpFrame();
void HelpKey(int32_t key);

// High-score table, as the end of a game asks for it.
void LoadHighScoresOnce();         // reads the table the first time it is needed
int32_t ScoreRank(int32_t score);  // 1..10, or 0 for no place
// Opens the table screen (creating it on first use); with enter, inserts score at its rank and
// starts name entry.
void ShowHighScores(bool enter, int32_t score);
