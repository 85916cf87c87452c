#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "pixels/rect.h"

// The rectangles of a surface that were drawn on, as a short list: a rectangle touching or
// nearly covering the last one is merged into it (the pixels of one letter, the rows of one
// picture), and a list grown past kMost becomes its bounding box. Whole marks the whole surface.
// What is added is passed on to Next as well, when there is one.
class TDamage {
 public:
  static constexpr size_t kMost = 128;

  void Add(const TRect& r);
  void SetWhole() { whole_ = true; }
  void Clear() {
    rects_.clear();
    whole_ = false;
  }
  bool Whole() const { return whole_; }
  bool Empty() const { return !whole_ && rects_.empty(); }
  const std::vector<TRect>& Rects() const { return rects_; }
  // How many rectangles (not empty) were ever added; Clear does not reset it.
  uint64_t Adds() const { return adds_; }

  TDamage* Next = nullptr;
  // Told of every rectangle before it is recorded, while the pixels under it are unchanged.
  std::function<void(const TRect&)> Before;

 private:
  std::vector<TRect> rects_;
  bool whole_ = false;
  uint64_t adds_ = 0;
};
