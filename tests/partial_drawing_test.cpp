// Drawing and showing only what changed gives, frame by frame, the very pictures of a whole
// redraw: every shipped demo and a game played from the title menu, each once with partial
// drawing and once without, at 32 and 16 bits. The window of the test keeps what it was shown
// (whole pictures, or the changed rectangles over the last one) and must always hold the
// display's picture.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "core/globals.h"
#include "fake_video.h"
#include "game/demo.h"
#include "media/dxdraw.h"
#include "tools/demos/demo_play.h"
#include "tools/drive/driver.h"
#include "tools/drive/script.h"

namespace {

const std::string kBuildDir = TARVELLE_BUILD_DIR "/";

// A window that keeps what it was shown.
class TShowingVideo : public TFakeVideo {
 public:
  TSurface Shown;
  int Whole = 0, Partial = 0;
  int Stale = 0;  // presents after which the window did not hold the picture

  void Present(const TSurface& pic) override {
    TFakeVideo::Present(pic);
    ++Whole;
    Shown = pic;
  }
  void PresentRects(const TSurface& pic, const std::vector<TRect>& changed) override {
    TFakeVideo::Present(pic);
    ++Partial;
    for (const TRect& r : changed) Shown.CopyFrom(r.Left, r.Top, pic, r);
    if (Shown.Format() != pic.Format() || Shown.Width() != pic.Width() ||
        Shown.Height() != pic.Height() ||
        std::memcmp(Shown.Pixels(), pic.Pixels(), size_t(pic.Pitch()) * pic.Height()) != 0)
      ++Stale;
  }
};

uint64_t Hash(const TSurface& s) {
  uint64_t h = 1469598103934665603ull;
  const size_t n = size_t(s.Pitch()) * s.Height() / 8;
  const uint8_t* p = s.Pixels();
  for (size_t i = 0; i < n; ++i, p += 8) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    h = (h ^ v) * 1099511628211ull;
  }
  return h;
}

// The hash of the display's picture after every frame of a run.
struct TRun {
  std::vector<uint64_t> Frames;
  int Whole = 0, Partial = 0, Stale = 0;
};

template <class Play>
TRun Record(bool partial, int depth, int frameMs, Play play) {
  TShowingVideo video;
  TDriverOptions o;
  o.Data = kBuildDir;
  o.Depth = depth;
  o.FrameMs = frameMs;
  o.Video = &video;
  THeadlessDriver driver(o);
  driver.Form().DXDraw.SetPartialDrawing(partial);
  TRun run;
  const auto frame = [&] {
    driver.RunFrame();
    run.Frames.push_back(Hash(driver.Form().DXDraw.Surface()));
  };
  play(driver, frame);
  run.Whole = video.Whole;
  run.Partial = video.Partial;
  run.Stale = video.Stale;
  return run;
}

void ExpectSame(const TRun& whole, const TRun& partial, const std::string& what) {
  ASSERT_EQ(whole.Frames.size(), partial.Frames.size()) << what;
  for (size_t i = 0; i < whole.Frames.size(); ++i)
    ASSERT_EQ(whole.Frames[i], partial.Frames[i]) << what << ", frame " << i;
  EXPECT_EQ(whole.Partial, 0) << what;
  EXPECT_GT(partial.Partial, partial.Whole) << what << ": mostly parts shown";
  EXPECT_EQ(partial.Stale, 0) << what;
}

// A demo from its start until it is won, lost or its time is up, with the caption after it.
void PlayDemoFrames(int32_t number, const std::function<void()>& frame) {
  LoadDemosOnce();
  StartDemoAt(number);
  const int32_t limit = (G.TimeLeft + 5) * 1000;
  int after = 0;
  for (int n = 0; n < 20000 && G.LevelTicks < limit && after < 120; ++n) {
    frame();
    if (G.GameState != gsDemo) ++after;
  }
  EndDemo();
}

#ifdef __SANITIZE_ADDRESS__
constexpr int32_t kDemoStep = 7;  // the checked build runs several times slower: a few demos
#else
constexpr int32_t kDemoStep = 1;
#endif

TEST(PartialDrawing, EveryDemoFrameIsTheWholeRedraw) {
  const int32_t demos = CountDemos(kBuildDir);
  ASSERT_GE(demos, 15);
  for (int32_t d = 1; d <= demos; d += kDemoStep)
    for (int depth : {32, 16}) {
      if (depth == 16 && d % 5 != 1) continue;  // a few at 16 bits: the same drawing
      const auto play = [d](THeadlessDriver&, const std::function<void()>& frame) {
        PlayDemoFrames(d, frame);
      };
      // Long frames: half the frames of the usual 16 ms, every move of the demo all the same.
      ExpectSame(Record(false, depth, 33, play), Record(true, depth, 33, play),
                 "demo " + std::to_string(d) + " at " + std::to_string(depth) + " bits");
    }
}

// The title menu with its pointer and zooms, a game on level 1 (hops, the keys hint fading, the
// heart emptying, pause, the exit prompt, the frame counter), back to the menu, and the
// options, high scores and help screens.
TEST(PartialDrawing, MenusAndAGameAreTheWholeRedraw) {
  const auto play = [](THeadlessDriver& driver, const std::function<void()>& frame) {
    std::ostringstream out;
    const auto frames = [&](int n) {
      for (int i = 0; i < n; ++i) frame();
    };
    const auto keys = [&](const char* script) { driver.Run(ParseScript(script), out); };
    frames(60);
    for (const char* k : {"tap Down", "tap Down", "mouse 320 200", "tap Up", "tap F2"}) {
      keys(k);
      frames(30);
    }
    keys("tap Up\ntap Up\ntap Up\ntap Up\ntap Up\ntap Enter");  // New
    frames(120);
    for (const char* k : {"tap Right", "tap Down", "tap Left", "tap Up", "tap P", "tap P",
                          "tap Esc", "tap N", "tap F2", "tap Right"}) {
      keys(k);
      frames(25);
    }
    frames(300);
    keys("tap Esc\ntap Y");
    frames(60);
    for (const char* screen : {"tap Down", "tap Down"}) {  // high scores, then options
      keys(screen);
      keys("tap Enter");
      frames(60);
      keys("tap Esc");
      frames(30);
    }
  };
  for (int depth : {32, 16})
    ExpectSame(Record(false, depth, 16, play), Record(true, depth, 16, play),
               "menus and a game at " + std::to_string(depth) + " bits");
}

// A title menu where nothing moves draws nothing and shows nothing: between the changes of the
// water picture (every 400 ms) its frames leave the display as it was.
TEST(PartialDrawing, AStillTitleDrawsNothing) {
  TShowingVideo video;
  TDriverOptions o;
  o.Data = kBuildDir;
  o.FrameMs = 16;
  o.Video = &video;
  THeadlessDriver driver(o);
  TDXDraw& display = driver.Form().DXDraw;
  for (int i = 0; i < 60; ++i) driver.RunFrame();  // the menu's zoom has settled
  int still = 0;
  for (int i = 0; i < 50; ++i) {
    const uint64_t before = display.DrawCount();
    driver.RunFrame();
    if (display.DrawCount() == before) ++still;
  }
  EXPECT_GE(still, 45);  // two water changes in 800 ms, each drawn once
}

// A part kept from frame to frame (the status line) against the same part drawn every frame:
// kept while its key holds, laid again when something is drawn on it before it, after it or
// under it (the background changed there), or when a frame leaves it out.
TEST(PartialDrawing, AKeptPartIsTheWholeRedraw) {
  struct TStep {
    int32_t Key;
    bool Drawn = true, Before = false, After = false, Under = false;
  };
  const TStep steps[] = {
      {1},  {1}, {2}, {2, true, true}, {2}, {2, true, false, true}, {2},
      {2, true, false, false, true}, {2}, {2, false}, {2}, {3, true, true}, {3}, {3},
  };
  const TRect place = Bounds(100, 440, 200, 30);
  TSurface bg;
  bg.Resize(640, 480, TPixelFormat::ForDepth(32));
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) bg.SetPixel(x, y, uint32_t(x * 7 + y * 13));
  TFakeVideo video;
  TShowingVideo shown;
  TDXDraw whole(&video), partial(&shown);
  whole.SetPartialDrawing(false);
  int kept = 0;
  for (size_t i = 0; i < std::size(steps); ++i) {
    const TStep& s = steps[i];
    TDamage under;
    if (s.Under) {
      const TRect r = Bounds(place.Left + 20, place.Top + 5, 30, 10);
      bg.FillRect(r, 0x123456 + uint32_t(i));
      under.Add(r);
    }
    for (TDXDraw* d : {&whole, &partial}) {
      if (i == 0) d->Initialize();
      d->DrawBackground(bg, &under);
      if (s.Before) d->FillRect(Bounds(place.Left + 60, place.Top - 10, 80, 20), 0xFF0000);
      const int32_t key[] = {s.Key};
      if (s.Drawn && !d->BeginKept(key)) {
        // Marks whose places depend on the key: one drawn over another would leave both.
        for (int m = 0; m < 3; ++m)
          d->FillRect(Bounds(place.Left + 60 * m + 10 * s.Key, place.Top, 8, 30), 0xFFFFFF);
        d->EndKept();
      } else if (s.Drawn) {
        ++kept;
      }
      if (s.After) d->FillRect(Bounds(place.Left + 120, place.Top + 20, 30, 30), 0x00FF00);
      d->Flip();
    }
    ASSERT_EQ(Hash(whole.Surface()), Hash(partial.Surface())) << "step " << i;
  }
  EXPECT_EQ(kept, 4);  // each frame after an undisturbed one with the same key
  EXPECT_EQ(shown.Stale, 0);
}

// The pond is kept between frames for as long as its display's generation holds. A new display
// (a new game window, or the same memory given to another) must never take it for its own.
TEST(PartialDrawing, NoTwoDisplaysShareAGeneration) {
  TFakeVideo video;
  auto first = std::make_unique<TDXDraw>(&video);
  const uint32_t born = first->Generation();
  first->Invalidate();
  const uint32_t later = first->Generation();
  first.reset();
  const TDXDraw second(&video);
  EXPECT_NE(second.Generation(), born);
  EXPECT_NE(second.Generation(), later);
}

}  // namespace
