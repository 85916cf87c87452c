#include "platform/picture_fit.h"

#include <algorithm>
#include <cmath>

TPictureFit FitPicture(int outW, int outH, int picW, int picH, bool touchScreen) {
  TPictureFit fit;
  if (picW <= 0 || picH <= 0 || outW <= 0 || outH <= 0) return fit;
  const double f = std::min(double(outW) / picW, double(outH) / picH);
  const int whole = int(std::floor(f));
  const double share = touchScreen ? kWholeScaleShareTouch : kWholeScaleShare;
  int w = 0, h = 0;
  if (whole >= 1 && double(whole) >= f * share) {
    w = picW * whole;
    h = picH * whole;
  } else {
    // The limiting side is filled exactly; the other keeps the picture's proportions.
    const bool byWidth = double(outW) / picW <= double(outH) / picH;
    w = byWidth ? outW : std::max(1, int(std::lround(picW * f)));
    h = byWidth ? std::max(1, int(std::lround(picH * f))) : outH;
    w = std::min(w, outW);
    h = std::min(h, outH);
    fit.Smooth = w % picW != 0 || h % picH != 0 || w / picW != h / picH;
  }
  const int x = (outW - w) / 2, y = (outH - h) / 2;
  fit.Dest = Bounds(x, y, w, h);
  return fit;
}

TPoint OutputToPicture(const TRect& dest, int picW, int picH, double x, double y) {
  if (dest.Empty()) return {int(x), int(y)};
  return {int(std::floor((x - dest.Left) * picW / dest.Width())),
          int(std::floor((y - dest.Top) * picH / dest.Height()))};
}
