#include "tools/demos/demo_play.h"

#include "actors/dragon.h"
#include "actors/effects.h"
#include "core/globals.h"
#include "game/demo.h"
#include "game/playfield.h"
#include "tools/drive/driver.h"

int32_t CountDemos(const std::string& dataDir) {
  TDriverOptions options;
  options.Data = dataDir;
  THeadlessDriver driver(options);
  LoadDemosOnce();
  return Demos().DemoCount;
}

TDemoOutcome PlayDemo(const std::string& dataDir, int32_t number, int32_t frameMs, bool pictures) {
  TDriverOptions options;
  options.Data = dataDir;
  options.FrameMs = frameMs;
  THeadlessDriver driver(options);
  LoadDemosOnce();
  SetPlayfieldPictures(pictures);
  StartDemoAt(number);
  TDemoOutcome out;
  out.Level = G.LevelNo;
  if (G.GameState != gsDemo) return out;
  const int32_t limit = (G.TimeLeft + 5) * 1000;
  while (G.LevelTicks < limit) {
    driver.RunFrame();
    if (Dragon) out.Energy = Dragon->Energy;
    out.LevelTicks = G.LevelTicks;
    out.TimeLeft = G.TimeLeft;
    out.Score = G.Score;
    if (G.GameState == gsLevelDone ||
        (G.GameState == gsTransition && TransitionInterrupted(gsLevelDone))) {
      out.Won = true;
      break;
    }
    if (G.GameState != gsDemo) break;
  }
  EndDemo();
  SetPlayfieldPictures(true);
  return out;
}
