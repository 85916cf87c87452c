// The headless driver's scripts and runs.
#include <gtest/gtest.h>

#include <sstream>

#include "core/globals.h"
#include "tools/drive/driver.h"
#include "tools/drive/script.h"

namespace {

TEST(DriveScript, ParsesEveryCommand) {
  const auto s = ParseScript(
      "# a comment\n"
      "frames 3\nwait 250  # trailing comment\ndown Left\nup 37\ntap F2\ntype Ann Lee\n"
      "mouse 10 20\nclick 5 6\nclick 5 6 1\ndifficulty 3\nstart 2\nshot out.png\nstate\n\n");
  ASSERT_EQ(s.size(), 13u);
  EXPECT_EQ(s[0].Kind, TScriptCommand::Frames);
  EXPECT_EQ(s[0].A, 3);
  EXPECT_EQ(s[1].A, 250);
  EXPECT_EQ(s[2].A, 37);
  EXPECT_EQ(s[3].A, 37);
  EXPECT_EQ(s[4].A, 113);
  EXPECT_EQ(s[5].Text, "Ann Lee");
  EXPECT_EQ(s[8].C, 1);
  EXPECT_EQ(s[11].Text, "out.png");
  EXPECT_EQ(s[12].Line, 14);
}

TEST(DriveScript, LinesEndingInCarriageReturns) {
  const auto s = ParseScript("type Ann\r\nframes 2\r\n");
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0].Text, "Ann");  // a typed CR would be Enter
}

TEST(DriveScript, ErrorsNameTheLine) {
  struct Case {
    const char* script;
    const char* message;
  };
  for (const Case& c : {
           Case{"jump 3", "line 1: unknown command 'jump'"},
           Case{"frames 1\nframes", "line 2: 'frames' takes 1 argument(s)"},
           Case{"frames -1", "line 1: 'frames' needs a number"},
           Case{"\n\ndown Banana", "line 3: unknown key 'Banana'"},
           Case{"tap 256", "line 1: unknown key '256'"},
           Case{"click 640 1", "line 1: 'click' needs a number from 0 to 639"},
           Case{"difficulty 4", "line 1: 'difficulty' needs a number from 1 to 3"},
           Case{"start 0", "line 1: 'start' needs a number from 1 to 15"},
           Case{"state now", "line 1: 'state' takes 0 argument(s)"},
           Case{"type", "line 1: 'type' needs text"},
       }) {
    try {
      ParseScript(c.script);
      ADD_FAILURE() << "no error for: " << c.script;
    } catch (const EScriptError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what();
    }
  }
}

TEST(Drive, RunsTheGameWindowToTheMenuOnAVirtualClock) {
  TDriverOptions options;
  options.Seed = 77;
  THeadlessDriver driver(options);
  std::ostringstream out;
  driver.Run(ParseScript("frames 2\nstate\ntap F2\nwait 100\nstate\n"), out);
  const std::string text = out.str();
  EXPECT_NE(text.find("{\"t\":32,\"state\":\"gsMenu\""), std::string::npos) << text;
  EXPECT_NE(text.find("\"t\":144,"), std::string::npos) << text;
  EXPECT_TRUE(G.ShowFps);
}

TEST(Drive, AFrameTakesItsTimeWhileTheTimerIsStopped) {
  // Paused, the game does not sleep: the frame alone must move the clock, or `wait` never ends.
  for (int32_t frameMs : {1, 16}) {
    TDriverOptions options;
    options.FrameMs = frameMs;
    THeadlessDriver driver(options);
    std::ostringstream out;
    driver.Run(ParseScript("start 1\nframes 2\ntap P\n"), out);
    ASSERT_EQ(G.GameState, gsPaused);
    const uint32_t before = driver.VirtualClock().Now();
    driver.RunFrame();
    EXPECT_EQ(driver.VirtualClock().Now() - before, uint32_t(frameMs)) << frameMs << " ms frames";
  }
}

}  // namespace
