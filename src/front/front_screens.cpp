// The screens as the game sees them (game/screens.h): each call handed to its screen.
#include <algorithm>

#include "front/high_scores.h"
#include "front/screen_calls.h"
#include "game/screens.h"

namespace {

class TFrontScreens final : public IScreens {
 public:
  void BuildMenu() override { ::BuildMenu(); }
  void DrawTitle() override { ::DrawTitle(); }
  void ResetMenu() override { ::ResetMenu(); }
  void OptionsFrame() override { ::OptionsFrame(); }
  void ClearOptionsPending() override { ::ClearOptionsPending(); }
  void RecordsFrame() override { ::RecordsFrame(); }
  void HelpFrame() override { ::HelpFrame(); }
  bool RecordsEntering() override { return ::RecordsEntering(); }
  void LoadHighScoresOnce() override { ::LoadHighScoresOnce(); }
  int32_t ScoreRank(int32_t score) override { return ::ScoreRank(score); }
  void ShowHighScores(bool enter, int32_t score) override { ::ShowHighScores(enter, score); }
  bool InHighScores(int64_t points) override {
    return std::any_of(HighScores.begin(), HighScores.end(),
                       [&](const auto& e) { return e.Points == points; });
  }
};

TFrontScreens screens;

}  // namespace

IScreens& Screens = screens;
