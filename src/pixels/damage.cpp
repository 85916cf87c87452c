#include "pixels/damage.h"

#include <algorithm>

namespace {

int64_t Area(const TRect& r) {
  return int64_t{r.Width()} * r.Height();
}

TRect Union(const TRect& a, const TRect& b) {
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}

}  // namespace

void TDamage::Add(const TRect& r) {
  if (Before && !r.Empty()) Before(r);
  if (Next) Next->Add(r);
  if (r.Empty()) return;
  ++adds_;
  if (whole_) return;
  if (!rects_.empty()) {
    TRect& last = rects_.back();
    const TRect u = Union(last, r);
    // Merged when the union costs at most a little more than the two apart.
    if (Area(u) <= Area(last) + Area(r) + 64) {
      last = u;
      return;
    }
  }
  if (rects_.size() >= kMost) {
    TRect all = r;
    for (const TRect& e : rects_) all = Union(all, e);
    rects_.assign(1, all);
    return;
  }
  rects_.push_back(r);
}
