#pragma once
#include <cstdint>
#include <vector>

#include "pixels/surface.h"

// The opaque runs of a keyed picture, row by row: the pixels that are not the colour key, as
// [start, end) column ranges. Keyed drawing that scales a picture copies these runs and never
// looks at a key pixel.
struct TKeySpans {
  std::vector<uint32_t> RowStart;  // row y's runs are Runs[RowStart[y] .. RowStart[y + 1])
  std::vector<uint16_t> Runs;      // start, end pairs, each pair one element pair

  bool Empty() const { return RowStart.empty(); }
};

// The runs of pixels of s that differ from key (compared with the low 24 bits on 24- and
// 32-bit surfaces).
TKeySpans FindKeySpans(const TSurface& s, uint32_t key);

// StretchDraw with the colour key, through the picture's runs (found with the same key): the
// same pixels as the keyed StretchDraw. srcRect must lie inside src (nothing is drawn otherwise).
void StretchDrawSpans(TSurface& dst, const TRect& dstRect, const TSurface& src,
                      const TRect& srcRect, const TKeySpans& spans);
