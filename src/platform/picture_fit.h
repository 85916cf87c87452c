#pragma once
#include "pixels/rect.h"

// Where the game's picture goes in a window (both in output pixels). Whole multiples keep the
// pixels crisp where they fill most of the window; otherwise, and always on a touch screen
// (a phone's screen is too small to leave a band unused), the picture is scaled to fit the
// limiting side, smoothly filtered, and centred.
struct TPictureFit {
  TRect Dest;           // the picture's place, centred
  bool Smooth = false;  // not a whole multiple: drawn filtered
};

// The share of the limiting side that a whole-multiple scale must fill to be kept.
constexpr double kWholeScaleShare = 0.85;
constexpr double kWholeScaleShareTouch = 0.95;

TPictureFit FitPicture(int outW, int outH, int picW, int picH, bool touchScreen);

// An output pixel (x, y) in picture pixels; points beside the picture fall outside 0..size-1.
TPoint OutputToPicture(const TRect& dest, int picW, int picH, double x, double y);
