// The end of a game: the congratulation after the last level, and the high-score check.
#include "core/globals.h"
#include "core/sound.h"
#include "game/main_form.h"
#include "game/rules.h"
#include "game/screen_text.h"
#include "game/screens.h"
#include "media/messages.h"
#include "platform/clock.h"

namespace {

constexpr uint32_t Yellow = 0x00FFFF;  // 0x00BBGGRR
constexpr uint32_t White = 0xFFFFFF;
constexpr int kFanfares = 6;
constexpr uint32_t kFanfareGap = 300, kAfterFanfares = 3000;

// The ending counted by the frames, where the clock can't wait.
struct TEnding {
  bool Running = false;
  uint32_t Start = 0;
  int Played = 0;
};
TEnding ending;

void PlayFanfare(int i) {
  PlaySoundPanned("Win", i % 2 == 1 ? 5000 : -5000);
}

// True when Score earns a place; the table is read the first time it is needed. A level tried
// from the level editor keeps no score, so it asks for no name: its end goes back to the editor.
bool ScoreQualifies() {
  if (G.TryingOut) return false;
  Screens.NeedHighScores();
  return Screens.HighScoreRank(G.Score) > 0;
}

}  // namespace

void CheckHighScore() {
  if (ScoreQualifies())
    Screens.OpenHighScores(true, G.Score);
  else
    DrawPressAnyKey(400);
}

void CheckHighScoreQuiet() {
  if (!ScoreQualifies()) DrawPressAnyKey(400);
}

void ShowFinalEnding() {
  DrawShadowText(Messages().Value("fin1"), "Arial", 26, 140, Yellow);
  DrawShadowText(Messages().Value("fin1a"), "Arial", 26, 260, White);
  CheckHighScoreQuiet();
  if (MainForm) {
    MainForm->DXDraw.Flip();
    MainForm->DXTimer1.SetEnabled(true);
  }
  // The fanfare sounds right and left in turn; the game takes no input meanwhile.
  if (!Clock().Waits()) {
    ending = {true, static_cast<uint32_t>(game_clock::Now()), 0};
    FinalEndingStep();
    return;
  }
  for (int i = 1; i <= kFanfares; ++i) {
    PlayFanfare(i);
    game_clock::Sleep(kFanfareGap);
  }
  game_clock::Sleep(kAfterFanfares);
  CheckHighScore();
}

void FinalEndingStep() {
  if (!ending.Running) return;
  const uint32_t t = static_cast<uint32_t>(game_clock::Now()) - ending.Start;
  while (ending.Played < kFanfares && t >= static_cast<uint32_t>(ending.Played) * kFanfareGap)
    PlayFanfare(++ending.Played);
  if (t < kFanfares * kFanfareGap + kAfterFanfares) return;
  ending.Running = false;
  CheckHighScore();
}

bool FinalEndingRunning() {
  return ending.Running;
}
