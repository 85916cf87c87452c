// The lily pads' cycle: growing, resting at full size, shrinking, resting under water. Once the
// time is up every pad sinks for good.
#include <algorithm>

#include "core/globals.h"
#include "core/sound.h"
#include "game/rules.h"

namespace {

bool Animated(const TPad& p) {
  return p.Kind == pkLily || p.Kind == pkStepped;
}

// How far into its phase the pad is, at most its period. A pad with no period is at the end of
// its phase at once. A shrinking pad stored larger than its full size starts its phase in the
// future, so the time is negative until it has shrunk to its full size.
int64_t PhaseTime(const TPad& p, int32_t t) {
  return std::min(int64_t{t} - p.PhaseStart, int64_t{p.Period});
}

uint16_t ShrunkSize(const TPad& p, int64_t d) {
  if (d >= p.Period) return 10;
  return static_cast<uint16_t>((10 - int64_t{p.MaxSize}) * d / p.Period + p.MaxSize);
}

void Animate(TPad& p, int32_t x, int32_t y, int32_t t) {
  if (p.FullSince != 0) {
    if (t - p.FullSince < p.HoldFull) return;
    p.Growing = false;
    p.FullSince = 0;
    p.PhaseStart = t;
  }
  if (p.EmptySince != 0) {
    if (t - p.EmptySince < p.HoldEmpty) return;
    p.Growing = true;
    p.EmptySince = 0;
    p.PhaseStart = t;
  }
  const int64_t d = PhaseTime(p, t);
  if (p.Growing) {
    // A growing phase never starts in the future; should it, the pad waits at 10 pixels.
    p.Size =
        d >= p.Period
            ? p.MaxSize
            : static_cast<uint16_t>((p.MaxSize - 10) * std::max<int64_t>(d, 0) / p.Period + 10);
    if (p.Size == p.MaxSize) p.FullSince = t;
  } else {
    p.Size = ShrunkSize(p, d);
    if (p.Size <= 10) {
      p.Size = 0;
      p.EmptySince = t;
      PlaySoundAt("Bubble", x, y);
    }
  }
}

void Sink(TPad& p, int32_t x, int32_t y, int32_t t) {
  if (p.Kind == pkIsland) {
    p.Kind = pkLily;
    p.Period = static_cast<uint16_t>(std::min(p.MaxSize / 13 * 400, 65535));
    p.PhaseStart = t;
  }
  if (p.Growing) {
    p.Growing = false;
    if (p.MaxSize > 0)
      p.PhaseStart = static_cast<int32_t>(t - (int64_t{p.MaxSize} - p.Size) * p.Period / p.MaxSize);
  }
  p.Size = ShrunkSize(p, PhaseTime(p, t));
  if (p.Size <= 10) {
    p.Size = 0;
    p.EmptySince = t;
    p.Kind = pkWater;
    if (G.GameState == gsPlaying || G.GameState == gsDemo) PlaySoundAt("Bubble", x, y);
  }
}

}  // namespace

void AnimatePads() {
  const int32_t t = G.LevelTicks;
  for (int32_t x = 1; x <= G.GridCols; ++x)
    for (int32_t y = 1; y <= G.GridRows; ++y)
      if (Animated(G.Pads[x][y])) Animate(G.Pads[x][y], x, y, t);
}

void SinkAllPads() {
  const int32_t t = G.LevelTicks;
  for (int32_t x = 1; x <= G.GridCols; ++x) {
    for (int32_t y = 1; y <= G.GridRows; ++y) {
      TPad& p = G.Pads[x][y];
      if ((Animated(p) || p.Kind == pkIsland) && p.Size > 0) Sink(p, x, y, t);
    }
  }
}
