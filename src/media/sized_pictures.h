#pragma once
#include <cstddef>
#include <cstdint>
#include <unordered_map>

#include "media/key_spans.h"
#include "pixels/rect.h"
#include "pixels/surface.h"

// One picture's patterns already stretched to the sizes they are drawn at, each with its
// opaque runs, so that a scaled keyed draw is a copy of runs. An entry is made on first use by
// the exact stretch (the pixels are those of the scaled keyed draw); the least recently used
// entries go when the cache would grow past its budget. Copying a cache gives an empty one.
class TSizedPictures {
 public:
  struct TEntry {
    TSurface Surface;  // the pattern at its new size, colour key pixels included
    TKeySpans Spans;   // the opaque runs of Surface
    uint32_t Key = 0;  // the colour key pixel of Surface
    uint64_t LastUse = 0;
  };

  static constexpr size_t kBudget = 512 * 1024;  // bytes per picture

  TSizedPictures() = default;
  TSizedPictures(const TSizedPictures&) {}
  TSizedPictures& operator=(const TSizedPictures&) {
    Clear();
    return *this;
  }
  ~TSizedPictures() { Clear(); }

  // The pattern srcRect of src (inside it) stretched to width x height, with the runs of the
  // pixels that are not key; nothing when one entry alone would pass the budget.
  const TEntry* Get(const TSurface& src, const TRect& srcRect, int width, int height, uint32_t key);
  void Clear();
  size_t Bytes() const { return bytes_; }
  size_t Count() const { return entries_.size(); }
  // The bytes held by every cache of the program.
  static size_t TotalBytes();

 private:
  void Drop(std::unordered_map<uint64_t, TEntry>::iterator it);

  std::unordered_map<uint64_t, TEntry> entries_;
  size_t bytes_ = 0;
  uint64_t clock_ = 0;
};

// Copies the opaque runs of pic to (x, y) on dst, clipped. Both share one pixel format.
void DrawKeySpans(TSurface& dst, int x, int y, const TSurface& pic, const TKeySpans& spans);

// Draws an entry's pattern to (x, y) on dst, clipped, leaving its key pixels out: where the
// processor has vectors (16- and 32-bit surfaces) a keyed copy of whole rows, whose selects
// cost less than the branches of many short runs; otherwise the copy of its runs.
void DrawSized(TSurface& dst, int x, int y, const TSizedPictures::TEntry& e);
