// The screens as the game sees them (game/screens.h): each call handed to its screen.
#include <algorithm>

#include "front/high_scores.h"
#include "front/screen_calls.h"
#include "game/screens.h"

namespace {

class TFrontScreens final : public IScreens {
 public:
  void MakeTitleMenu() override { BuildMenu(); }
  void TitleScreenFrame() override { DrawTitle(); }
  void ResetTitleMenu() override { ResetMenu(); }
  void OptionsScreenFrame() override { OptionsFrame(); }
  void DropOptionsPending() override { ClearOptionsPending(); }
  void RecordsScreenFrame() override { RecordsFrame(); }
  void HelpScreenFrame() override { HelpFrame(); }
  bool EnteringName() override { return RecordsEntering(); }
  void NeedHighScores() override { LoadHighScoresOnce(); }
  int32_t HighScoreRank(int32_t score) override { return ScoreRank(score); }
  void OpenHighScores(bool enter, int32_t score) override { ShowHighScores(enter, score); }
  bool InHighScores(int64_t points) override {
    return std::any_of(HighScores.begin(), HighScores.end(),
                       [&](const auto& e) { return e.Points == points; });
  }
};

TFrontScreens screens;

}  // namespace

IScreens& Screens = screens;
