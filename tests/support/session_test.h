#pragma once
// A test of the game run through a game session: its virtual clock, a per-user folder of its
// own, a fake window showing the game window's pictures, and the game's shipped data from the
// build folder. The session's set-up and Reset are the only ones that know what to clear, so
// a test starts from the game as it starts, not from a list of its own.
#include <gtest/gtest.h>

#include <cstdint>

#include "../fake_video.h"
#include "front/app_loop.h"
#include "platform/clock.h"
#include "session/game_session.h"

class SessionTest : public ::testing::Test {
 public:
  // A session's options showing the game window in video, with the build's data.
  static TSessionOptions Options(TFakeVideo& video) {
    TSessionOptions o;
    o.Data = TARVELLE_BUILD_DIR "/";
    o.Video = &video;
    return o;
  }

 protected:
  // clockMs: the virtual clock's reading when the test starts.
  explicit SessionTest(uint32_t clockMs = 5000) {
    const uint32_t now = clock.Now();
    if (clockMs > now) clock.Advance(clockMs - now);
  }

  TFakeVideo video;
  TGameSession session{Options(video)};
  TVirtualClock& clock = session.VirtualClock();
  TMainForm& form = session.Form();
};
