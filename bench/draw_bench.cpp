// The game's own pixel drawing against SDL's blits doing the same work, on 32-bit and 16-bit
// 5-6-5 surfaces. Each case has <Case>/ours, <Case>/sdl and, where SDL can use it, <Case>/sdl_rle
// (the source surface run-length encoded); a table of ratios follows the run.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "media/draw_ops.h"

namespace {

constexpr int kFrameW = 640, kFrameH = 480;
constexpr int kLevel = 128;

struct TFormat {
  const char* Suffix;
  TPixelFormat Ours;
  Uint32 Sdl;
};
const TFormat kFormats[] = {{"32", TPixelFormat::XRGB8888(), SDL_PIXELFORMAT_RGB888},
                            {"565", TPixelFormat::RGB565(), SDL_PIXELFORMAT_RGB565}};

using TSdlSurface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

TSdlSurface ToSdl(const TSurface& s, Uint32 format) {
  TSdlSurface out(
      SDL_CreateRGBSurfaceWithFormat(0, s.Width(), s.Height(), s.Format().BitCount, format),
      SDL_FreeSurface);
  const size_t bytes = static_cast<size_t>(s.Width()) * s.Format().BytesPerPixel();
  for (int y = 0; y < s.Height(); ++y)
    std::memcpy(static_cast<uint8_t*>(out->pixels) + y * out->pitch, s.Row(y), bytes);
  return out;
}

uint32_t KeyOf(const TPixelFormat& f) {
  return ToSurfaceColor(f, 255, 0, 255);
}

// Pictures shaped like the game's: a caption (short strokes on a keyed background), a full-screen
// picture with a few keyed holes, a sprite and a lily pad (round shapes on a keyed background).
TSurface Caption(const TPixelFormat& f, int w, int h) {
  std::mt19937 rng(7);
  TSurface s(w, h, f);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w;) {
      const int gap = 2 + rng() % 18, ink = 2 + rng() % 10;
      for (int i = 0; i < gap && x < w; ++i) s.SetPixel(x++, y, KeyOf(f));
      for (int i = 0; i < ink && x < w; ++i, ++x)
        s.SetPixel(x, y, ToSurfaceColor(f, 40 + x % 200, 200 - y * 3, 90 + (x ^ y) % 120));
    }
  return s;
}

TSurface Blob(const TPixelFormat& f, int w, int h, double holes) {
  TSurface s(w, h, f);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double dx = (x + 0.5) / w - 0.5, dy = (y + 0.5) / h - 0.5;
      const bool inside = holes > 0 ? std::fmod(std::abs(dx * 7) + std::abs(dy * 5), 1.0) > holes
                                    : dx * dx + dy * dy < 0.25;
      s.SetPixel(x, y,
                 inside ? ToSurfaceColor(f, 30 + (x * 3) % 200, 120 + y % 100, 60) : KeyOf(f));
    }
  return s;
}

TSurface Frame(const TPixelFormat& f) {
  TSurface s(kFrameW, kFrameH, f);
  for (int y = 0; y < kFrameH; ++y)
    for (int x = 0; x < kFrameW; ++x) s.SetPixel(x, y, ToSurfaceColor(f, x / 3, y / 2, 128));
  return s;
}

// ---- BlendImage against SDL's translucent keyed blit ----

void BlendOurs(benchmark::State& st, TFormat f, int w, int h) {
  const TSurface pic = h == kFrameH ? Blob(f.Ours, w, h, 0.15) : Caption(f.Ours, w, h);
  TSurface frame = Frame(f.Ours);
  const int x = (kFrameW - w) / 2, y = (kFrameH - h) / 2;
  for (auto _ : st) {
    BlendImage(frame, x, y, pic, {0, 0, w - 1, h - 1}, KeyOf(f.Ours), kLevel);
    benchmark::ClobberMemory();
  }
}

void BlendSdl(benchmark::State& st, TFormat f, int w, int h, bool rle) {
  const TSurface pic = h == kFrameH ? Blob(f.Ours, w, h, 0.15) : Caption(f.Ours, w, h);
  TSdlSurface src = ToSdl(pic, f.Sdl), dst = ToSdl(Frame(f.Ours), f.Sdl);
  SDL_SetColorKey(src.get(), SDL_TRUE, KeyOf(f.Ours));
  SDL_SetSurfaceBlendMode(src.get(), SDL_BLENDMODE_BLEND);
  SDL_SetSurfaceAlphaMod(src.get(), kLevel);
  SDL_SetSurfaceRLE(src.get(), rle ? 1 : 0);
  SDL_Rect at{(kFrameW - w) / 2, (kFrameH - h) / 2, w, h};
  SDL_BlitSurface(src.get(), nullptr, dst.get(), &at);  // encodes the runs once
  for (auto _ : st) {
    SDL_Rect r = at;
    SDL_BlitSurface(src.get(), nullptr, dst.get(), &r);
    benchmark::ClobberMemory();
  }
}

// ---- A colour-keyed 42 x 42 pattern ----

void PatternOurs(benchmark::State& st, TFormat f) {
  const TSurface pic = Blob(f.Ours, 42, 42, 0);
  TSurface frame = Frame(f.Ours);
  for (auto _ : st) {
    frame.CopyFromKeyed(300, 200, pic, pic.ClientRect(), KeyOf(f.Ours));
    benchmark::ClobberMemory();
  }
}

void PatternSdl(benchmark::State& st, TFormat f, bool rle) {
  TSdlSurface src = ToSdl(Blob(f.Ours, 42, 42, 0), f.Sdl), dst = ToSdl(Frame(f.Ours), f.Sdl);
  SDL_SetColorKey(src.get(), SDL_TRUE, KeyOf(f.Ours));
  SDL_SetSurfaceRLE(src.get(), rle ? 1 : 0);
  SDL_Rect at{300, 200, 42, 42};
  SDL_BlitSurface(src.get(), nullptr, dst.get(), &at);
  for (auto _ : st) {
    SDL_Rect r = at;
    SDL_BlitSurface(src.get(), nullptr, dst.get(), &r);
    benchmark::ClobberMemory();
  }
}

// ---- Stretched pads ----

// Where the pads of a full 16 x 11 pond go: 40 x 40 cells, pads of mixed sizes (growing and
// sinking) centred in them. With one size given, every pad has that size.
std::vector<TRect> PadRects(int count, int w, int h) {
  std::vector<TRect> out;
  for (int i = 0; i < count; ++i) {
    const int cx = (i % 16) * 40 + 20, cy = 20 + (i / 16) * 40 + 20;
    const int k = 2 + (i * 7) % 9;  // 2..10 tenths of a full cell
    const int pw = w ? w : 4 * k, ph = h ? h : 4 * k;
    out.push_back(Bounds(cx - pw / 2, cy - ph / 2, pw, ph));
  }
  return out;
}

void StretchOurs(benchmark::State& st, TFormat f, std::vector<TRect> rects) {
  const TSurface pad = Blob(f.Ours, 90, 47, 0);
  TSurface frame = Frame(f.Ours);
  for (auto _ : st) {
    for (const TRect& r : rects) StretchDraw(frame, r, pad, pad.ClientRect(), true, KeyOf(f.Ours));
    benchmark::ClobberMemory();
  }
}

void StretchSdl(benchmark::State& st, TFormat f, std::vector<TRect> rects) {
  TSdlSurface src = ToSdl(Blob(f.Ours, 90, 47, 0), f.Sdl), dst = ToSdl(Frame(f.Ours), f.Sdl);
  SDL_SetColorKey(src.get(), SDL_TRUE, KeyOf(f.Ours));
  for (auto _ : st) {
    for (const TRect& r : rects) {
      SDL_Rect d{r.Left, r.Top, r.Width(), r.Height()};
      SDL_BlitScaled(src.get(), nullptr, dst.get(), &d);
    }
    benchmark::ClobberMemory();
  }
}

// ---- The floor: one whole frame copied ----

void MemcpyFrame(benchmark::State& st, TFormat f) {
  const TSurface a = Frame(f.Ours);
  TSurface b(kFrameW, kFrameH, f.Ours);
  const size_t bytes = static_cast<size_t>(a.Pitch()) * a.Height();
  for (auto _ : st) {
    std::memcpy(b.Pixels(), a.Pixels(), bytes);
    benchmark::ClobberMemory();
  }
}

void RegisterAll() {
  for (const TFormat& f : kFormats) {
    const std::string s = std::string("_") + f.Suffix;
    for (const auto& [w, h] : {std::pair{390, 44}, std::pair{kFrameW, kFrameH}}) {
      const std::string c = "Blend" + std::to_string(w) + "x" + std::to_string(h) + s;
      benchmark::RegisterBenchmark((c + "/ours").c_str(), BlendOurs, f, w, h);
      benchmark::RegisterBenchmark((c + "/sdl").c_str(), BlendSdl, f, w, h, false);
      benchmark::RegisterBenchmark((c + "/sdl_rle").c_str(), BlendSdl, f, w, h, true);
    }
    const std::string p = "Pattern42x42" + s;
    benchmark::RegisterBenchmark((p + "/ours").c_str(), PatternOurs, f);
    benchmark::RegisterBenchmark((p + "/sdl").c_str(), PatternSdl, f, false);
    benchmark::RegisterBenchmark((p + "/sdl_rle").c_str(), PatternSdl, f, true);
    // SDL cannot scale a run-length encoded surface (it decodes it first), so the stretched
    // cases have no sdl_rle form.
    const std::pair<std::string, std::vector<TRect>> stretches[] = {
        {"Stretch90x47to45x23" + s, {Bounds(300, 200, 45, 23)}},
        {"Stretch90x47to90x47" + s, {Bounds(300, 200, 90, 47)}},
        {"Stretch176Pads" + s, PadRects(176, 0, 0)},
    };
    for (const auto& [name, rects] : stretches) {
      benchmark::RegisterBenchmark((name + "/ours").c_str(), StretchOurs, f, rects);
      benchmark::RegisterBenchmark((name + "/sdl").c_str(), StretchSdl, f, rects);
    }
    benchmark::RegisterBenchmark(("Memcpy640x480" + s + "/memcpy").c_str(), MemcpyFrame, f);
  }
}

// ---- Collecting the times and printing the ratios ----

template <class Base>
class TCollector : public Base {
 public:
  // The fastest repetition of each benchmark, in nanoseconds per iteration; the least disturbed
  // by whatever else the machine is doing.
  std::map<std::string, double> Ns;
  void ReportRuns(const std::vector<benchmark::BenchmarkReporter::Run>& runs) override {
    for (const auto& r : runs) {
      if (r.run_type != benchmark::BenchmarkReporter::Run::RT_Iteration || r.error_occurred)
        continue;
      const double ns =
          r.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(r.time_unit) * 1e9;
      const auto [it, fresh] = Ns.emplace(r.benchmark_name(), ns);
      if (!fresh) it->second = std::min(it->second, ns);
    }
    Base::ReportRuns(runs);
  }
};

void PrintRatios(const std::map<std::string, double>& ns, FILE* out) {
  const auto get = [&](const std::string& n) {
    const auto it = ns.find(n);
    return it == ns.end() ? 0.0 : it->second;
  };
  std::fprintf(out, "\n%-26s %10s %10s %8s %10s %8s %10s\n", "case", "ours us", "sdl us",
               "sdl/ours", "rle us", "rle/ours", "ours/floor");
  std::map<std::string, bool> seen;
  for (const auto& [name, t] : ns) {
    const std::string c = name.substr(0, name.find('/'));
    if (seen[c] || get(c + "/ours") == 0) continue;
    seen[c] = true;
    const double ours = get(c + "/ours"), sdl = get(c + "/sdl"), rle = get(c + "/sdl_rle");
    std::fprintf(out, "%-26s %10.2f %10.2f %8.1f", c.c_str(), ours / 1e3, sdl / 1e3,
                 sdl > 0 ? sdl / ours : 0.0);
    if (rle > 0)
      std::fprintf(out, " %10.2f %8.1f", rle / 1e3, rle / ours);
    else
      std::fprintf(out, " %10s %8s", "-", "-");
    // The floor: memcpy of the same number of pixels, from the whole-frame copy.
    int w = 0, h = 0;
    char bits[8] = {};
    if (std::sscanf(c.c_str(), "Blend%dx%d_%7s", &w, &h, bits) == 3) {
      const double floor = get(std::string("Memcpy640x480_") + bits + "/memcpy") * w * h /
                           (double(kFrameW) * kFrameH);
      std::fprintf(out, " %10.1f", floor > 0 ? ours / floor : 0.0);
    }
    std::fprintf(out, "\n");
  }
  std::fprintf(out,
               "Goals: Blend sdl/ours >= 10, rle/ours >= 2, ours/floor <= 3; Stretch176Pads "
               "sdl/ours >= 5; Pattern rle/ours >= 1.\n");
}

}  // namespace

int main(int argc, char** argv) {
  bool json = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--benchmark_format=json") json = true;
    // --simd=none, sse2 or avx2 times a lower vector level than the processor's best.
    if (arg == "--simd=none") SetSimdLevel(TSimdLevel::None);
    if (arg == "--simd=sse2") SetSimdLevel(TSimdLevel::SSE2);
    if (arg == "--simd=avx2") SetSimdLevel(TSimdLevel::AVX2);
  }
  benchmark::Initialize(&argc, argv);
  RegisterAll();
  std::fprintf(stderr, "Vector level: %s\n",
               ActiveSimdLevel() == TSimdLevel::AVX2   ? "AVX2"
               : ActiveSimdLevel() == TSimdLevel::SSE2 ? "SSE2"
                                                       : "none");
  if (json) {
    TCollector<benchmark::JSONReporter> reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter.Ns, stderr);  // stdout stays valid JSON
  } else {
    TCollector<benchmark::ConsoleReporter> reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter.Ns, stdout);
  }
  benchmark::Shutdown();
  return 0;
}
