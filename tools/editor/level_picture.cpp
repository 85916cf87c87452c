#include "tools/editor/level_picture.h"

#include <algorithm>

#include "core/globals.h"
#include "core/level_set.h"
#include "session/game_session.h"

TLevelPicture::TLevelPicture(const std::string& gameFolder) {
  TSessionOptions o;
  o.Data = gameFolder;
  o.Offscreen = true;
  session_ = std::make_unique<TGameSession>(o);
}

TLevelPicture::~TLevelPicture() = default;

const TSurface& TLevelPicture::Draw(const TLevelRecord& level, int difficulty, int levelNo) {
  // The seed the player bot starts a level with: a route it found plays the same again.
  session_->PlayLevels(std::vector<TLevelRecord>(LevelSetSize, level));
  session_->StartLevel(std::clamp(levelNo, 1, LevelSetSize), difficulty, 1);
  return session_->Picture();
}

void TLevelPicture::StartRoute(const TLevelRecord& level, int difficulty,
                               std::vector<TDemoStepRec> steps) {
  Draw(level, difficulty);
  route_ = std::move(steps);
  next_ = 0;
}

bool TLevelPicture::StepRoute() {
  constexpr int32_t FrameMs = 16;
  if (G.GameState != gsPlaying) return false;
  // A move is made in the frame before its time, as the bot made it.
  if (next_ < route_.size() && route_[next_].Time <= G.LevelTicks + FrameMs) {
    static const int32_t moves[4][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
    const int32_t k = route_[next_++].KeyCode - 37;
    if (k >= 0 && k < 4) session_->Jump(moves[k][0], moves[k][1]);
  }
  session_->Frame(FrameMs);
  return G.GameState == gsPlaying;
}

const TSurface& TLevelPicture::Frame() const {
  return session_->Picture();
}
