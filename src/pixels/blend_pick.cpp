// The vector level in use, and the row routines picked for it.
#include <algorithm>
#include <atomic>

#include "pixels/blend_rows.h"
#include "pixels/simd_level.h"
#include "pixels/surface.h"

namespace {

TSimdLevel Detect() {
#ifdef TARVELLE_AVX2
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2")) return TSimdLevel::AVX2;
  if (__builtin_cpu_supports("sse2")) return TSimdLevel::SSE2;
#elif defined(TARVELLE_SSE2)
  return TSimdLevel::SSE2;  // WebAssembly's SIMD: there when the build asked for it
#endif
  return TSimdLevel::None;
}

// Chosen once, before any drawing; tests may lower it.
std::atomic<TSimdLevel>& Active() {
  static std::atomic<TSimdLevel> level{SupportedSimdLevel()};
  return level;
}

}  // namespace

TSimdLevel SupportedSimdLevel() {
  static const TSimdLevel level = Detect();
  return level;
}

TSimdLevel ActiveSimdLevel() {
  return Active().load(std::memory_order_relaxed);
}

TSimdLevel SetSimdLevel(TSimdLevel level) {
  const TSimdLevel use = std::min(level, SupportedSimdLevel());
  Active().store(use, std::memory_order_relaxed);
  return use;
}

namespace blend {

TBlendFn PickBlend(const TPixelFormat& f) {
  const TSimdLevel simd = ActiveSimdLevel();
  switch (f.BytesPerPixel()) {
    case 2:
      if (!f.Is565()) return Blend555Pairs;
#ifdef TARVELLE_AVX2
      if (simd == TSimdLevel::AVX2) return Blend565LanesAvx2;
#endif
#ifdef TARVELLE_SSE2
      if (simd == TSimdLevel::SSE2) return Blend565LanesSse2;
#endif
      return simd == TSimdLevel::None ? Blend565Pairs : Blend565Lanes;
    case 3:
      return Blend24;
    case 4:
#ifdef TARVELLE_AVX2
      if (simd == TSimdLevel::AVX2) return Blend32LanesAvx2;
#endif
#ifdef TARVELLE_SSE2
      if (simd == TSimdLevel::SSE2) return Blend32LanesSse2;
#endif
      return simd == TSimdLevel::None ? Blend32 : Blend32Lanes;
    default:
      return nullptr;
  }
}

TKeyedFn PickKeyedCopy(const TPixelFormat& f) {
  [[maybe_unused]] const TSimdLevel simd = ActiveSimdLevel();
  switch (f.BytesPerPixel()) {
    case 2:
#ifdef TARVELLE_AVX2
      if (simd == TSimdLevel::AVX2) return KeyedCopy16Avx2;
#endif
#ifdef TARVELLE_SSE2
      if (simd == TSimdLevel::SSE2) return KeyedCopy16Sse2;
#endif
      return KeyedCopy16;
    case 4:
#ifdef TARVELLE_AVX2
      if (simd == TSimdLevel::AVX2) return KeyedCopy32Avx2;
#endif
#ifdef TARVELLE_SSE2
      if (simd == TSimdLevel::SSE2) return KeyedCopy32Sse2;
#endif
      return KeyedCopy32;
    default:
      return nullptr;
  }
}

}  // namespace blend

namespace {
// The choice is made when the program starts, before anything is drawn.
[[maybe_unused]] const TSimdLevel kChosenAtStart = ActiveSimdLevel();
}  // namespace
