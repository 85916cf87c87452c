#pragma once
#include <memory>
#include <string>
#include <vector>

#include "game/demo.h"
#include "game/level_record.h"
#include "pixels/surface.h"

class TGameSession;

// The picture of a level as the game draws its first frame, made by the game itself, off
// screen: a game session in this process, the level held in memory. Uses the game's state, so
// nothing else may run the game in this process.
class TLevelPicture {
 public:
  // gameFolder holds the game's files: the water's pictures are taken from it ("" = the
  // program's folder).
  explicit TLevelPicture(const std::string& gameFolder = "");
  ~TLevelPicture();
  TLevelPicture(const TLevelPicture&) = delete;
  TLevelPicture& operator=(const TLevelPicture&) = delete;

  // Draws the level's first frame (640 x 480) at a difficulty; a level the game refuses raises
  // EInOutError.
  // levelNo is the number the status line shows.
  const TSurface& Draw(const TLevelRecord& level, int difficulty = 1, int levelNo = 1);

  // A route of the player bot played again as it found it (its seed, 16 ms frames): the level
  // from its start, then one frame a call with the route's moves. StepRoute is false once the
  // level is over (won or lost); the picture is then its last frame.
  void StartRoute(const TLevelRecord& level, int difficulty, std::vector<TDemoStepRec> steps);
  bool StepRoute();
  const TSurface& Frame() const;

 private:
  std::unique_ptr<TGameSession> session_;
  std::vector<TDemoStepRec> route_;
  size_t next_ = 0;
};
