// Entry points of screens and actors that are still being built. Each does nothing yet; it
// leaves this file when its screen or actor arrives.
#include "game/globals.h"
#include "game/level.h"
#include "game/level_reader.h"
#include "game/main_form.h"
#include "game/screen_calls.h"
#include "game/title_sound.h"
#include "platform/clock.h"

void BuildMenu() {
  // Of the title's set-up the menu, the screens and the font are still to come.
  if (MainForm) MainForm->DXDraw.SetArrowCursor(false);
  StartTitleSound();
  G.LevelTicks = 1;
  G.LastTick = timeGetTime();
  G.MenuBuilt = true;
  // The level file must be there; a missing one stops here with its error.
  TLevelReader(LevelFilePath()).RecordCount();
  G.LevelCount = 15;
}
void DrawTitle() {}
void ResetMenu() {}
void MoveSelection(int32_t) {}
int32_t MenuSelected() {
  return 1;
}
int32_t MenuItemCount() {
  return 1;
}
bool PointerOverSelected() {
  return false;
}
void ActivateSelected() {}

void RecordsFrame() {}
bool RecordsEntering() {
  return false;
}
void LeaveHighScores() {}
void NameEntryChar(char) {}

void OptionsFrame() {}
void OptionsKey(int32_t) {}
void OptionsClick() {}
void ClearOptionsPending() {}

void HelpFrame() {}
void HelpKey(int32_t) {}

void DemoStep() {}
void StartDemo() {}
void EndDemo() {}

void LoadHighScoresOnce() {}
int32_t ScoreRank(int32_t) {
  return 0;
}
void ShowHighScores(bool, int32_t) {}

void DrawPressAnyKey(int32_t) {}
void DrawStringCentred(int32_t, const std::string&) {}
void DrawFrameCounter() {}
void DrawShadowText(const std::string&, const std::string&, int32_t, int32_t, uint32_t) {}
