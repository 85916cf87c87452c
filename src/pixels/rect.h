#pragma once
#include <algorithm>
#include <cstdint>

// A rectangle with an exclusive right and bottom edge, as the drawing code uses it.
struct TRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  constexpr int32_t Width() const { return Right - Left; }
  constexpr int32_t Height() const { return Bottom - Top; }
  constexpr bool Empty() const { return Right <= Left || Bottom <= Top; }
  constexpr bool operator==(const TRect&) const = default;
};

constexpr TRect Bounds(int32_t x, int32_t y, int32_t w, int32_t h) {
  return {x, y, x + w, y + h};
}

constexpr TRect Intersect(const TRect& a, const TRect& b) {
  return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
}

// True when the two rectangles share at least one pixel (touching edges do not overlap).
constexpr bool Overlaps(const TRect& a, const TRect& b) {
  return !Intersect(a, b).Empty();
}

struct TPoint {
  int32_t X = 0, Y = 0;
  constexpr bool operator==(const TPoint&) const = default;
};
