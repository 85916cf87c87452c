#pragma once
#include <cstdint>
#include <vector>

#include "pixels/rect.h"
#include "pixels/surface.h"

// The browser shows the game's picture in a 2-D canvas of the page (#picture) that holds the
// picture at its own size; the page's compositor scales it to its place on the screen. Only the
// rectangles that changed are put into it (no graphics library, no copy back from a graphics
// processor, nothing at all for a frame where nothing changed). SDL's own canvas (#canvas)
// under it takes the input.
class TWebCanvas {
 public:
  ~TWebCanvas();
  // Shows pic, or only the changed rectangles of it (nullptr: all of it), at place (in the
  // screen's own pixels, pixelRatio of them to a CSS pixel), scaled smoothly or in crisp blocks.
  void Show(const TSurface& pic, const std::vector<TRect>* changed, const TRect& place,
            double pixelRatio, bool smooth);

 private:
  std::vector<uint8_t> rgba_;  // the whole picture as last shown, as the canvas takes it
  std::vector<TRect> rects_;
  int stale_ = 1;  // the canvas holds nothing of the picture (set from the page's script too)
  int width_ = 0, height_ = 0;  // of the picture in the canvas; 0 before the first
  TRect place_;
  double pixelRatio_ = 0;
  bool smooth_ = false;
};
