// What a phone needs of the game: the picture fills the screen.
#include <gtest/gtest.h>

#include "platform/picture_fit.h"

namespace {

TEST(PictureFit, PhonesAreFilledAndLargeWindowsKeepWholeMultiples) {
  struct Case {
    int w, h;
    bool touch;
    TRect dest;
    bool smooth;
  };
  for (const Case& c : {
           // A phone at 3 device pixels per point, upright and on its side: the limiting
           // side is filled.
           Case{1170, 2532, true, Bounds(0, 827, 1170, 878), true},
           Case{2532, 1170, true, Bounds(486, 0, 1560, 1170), true},
           // The window at the picture's size, and a whole multiple that fills most of it.
           Case{640, 480, false, Bounds(0, 0, 640, 480), false},
           Case{1920, 1080, false, Bounds(320, 60, 1280, 960), false},
           Case{700, 500, false, Bounds(30, 10, 640, 480), false},
           // The same on a touch screen leaves too much unused.
           Case{1920, 1080, true, Bounds(240, 0, 1440, 1080), true},
           Case{1280, 960, true, Bounds(0, 0, 1280, 960), false},
           // Too little of the window used at 1x, and a window smaller than the picture.
           Case{1000, 900, false, Bounds(0, 75, 1000, 750), true},
           Case{320, 480, false, Bounds(0, 120, 320, 240), true},
           Case{300, 200, false, Bounds(16, 0, 267, 200), true},
       }) {
    const TPictureFit fit = FitPicture(c.w, c.h, 640, 480, c.touch);
    EXPECT_EQ(fit.Dest, c.dest) << c.w << "x" << c.h << " touch " << c.touch << ": "
                                << fit.Dest.Left << "," << fit.Dest.Top << " "
                                << fit.Dest.Width() << "x" << fit.Dest.Height();
    EXPECT_EQ(fit.Smooth, c.smooth) << c.w << "x" << c.h;
  }
  EXPECT_EQ(FitPicture(0, 0, 640, 480, false).Dest, TRect{});
}

TEST(PictureFit, PointsMapThroughTheSameScale) {
  const TRect dest = FitPicture(1170, 2532, 640, 480, true).Dest;  // 1.83 output px a pixel
  struct Case {
    double x, y;
    TPoint want;
  };
  const double top = dest.Top, bottom = dest.Bottom;
  for (const Case& c : {Case{0, top, {0, 0}}, Case{1169.9, bottom - 0.1, {639, 479}},
                        Case{585, top + 439, {320, 240}},
                        Case{585, top - 1, {320, -1}},       // above the picture
                        Case{585, bottom, {320, 480}}}) {  // below it
    EXPECT_EQ(OutputToPicture(dest, 640, 480, c.x, c.y), c.want) << c.x << "," << c.y;
  }
}

}  // namespace
