// Whole play frames of a busy level, and their parts, on 32-bit and 16-bit surfaces, beside a
// memcpy of one frame. The level: 16 x 11 cells all covered by pads, the Dragon, four monsters,
// twenty items, the "Keys" hint, a falling caption and five score pop-ups. Monsters decide and
// hop, items test for the Dragon every frame, as in play. The flip to a real window is timed
// too (under Xvfb with `xvfb-run`, headless otherwise).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "actors/dragon.h"
#include "actors/effects.h"
#include "actors/food.h"
#include "actors/monsters.h"
#include "actors/sprite_tree.h"
#include "core/globals.h"
#include "core/random.h"
#include "front/input.h"
#include "game/playfield.h"
#include "media/draw_ops.h"
#include "media/image_item.h"
#include "media/sized_pictures.h"
#include "platform/process_env.h"
#include "platform/video.h"
#include "session/game_session.h"

namespace {

size_t SizedBytes = 0;  // the most that the pictures kept at their drawn sizes held
std::string EmptyFolder;  // a game folder without the water's pictures: the water is a fill
std::unique_ptr<TGameSession> Session;
TMainForm* Form = nullptr;

// The busy level, built straight into the game's state of a new session.
void BuildBusyLevel(int depth) {
  Session.reset();
  TSessionOptions o;
  o.Data = EmptyFolder;
  o.Depth = depth;
  o.Offscreen = true;
  Session = std::make_unique<TGameSession>(o);
  Form = &Session->Form();
  G.GridCols = 16;
  G.GridRows = 11;
  G.LevelNo = 1;
  G.MaxLevel = 1;
  G.Lives = 3;
  G.TimeLeft = 90;
  G.LevelTicks = 1;
  G.LagCount = 16;
  for (int x = 1; x <= 16; ++x) {
    for (int y = 1; y <= 11; ++y) {
      // Islands of several sizes (they never sink, so the level stays busy), with pads of
      // both other kinds among them.
      TPad& p = G.Pads[x][y];
      p = TPad{};
      p.Kind = (x + y) % 5 == 0 ? pkLily : (x * y) % 7 == 0 ? pkStepped : pkIsland;
      p.MaxSize = static_cast<uint16_t>(30 + (x * 7 + y * 3) % 10);
      p.Size = p.MaxSize;
      p.Period = 4000;
      p.HoldFull = 60000;
      p.FullSince = 1;
      p.Growing = true;
    }
  }
  Dragon = new TDragon(&SpriteRoot());
  Dragon->PlaceAt(8, 6);
  new TRedMonster(2, 2);
  new TGreenMonster(14, 2);
  new TShaggyMonster(2, 10);
  new TRedMonster(14, 10);
  G.GameState = gsPlaying;
}

// Twenty items on the pond, put back as they are eaten.
void KeepItems() {
  int32_t items = 0;
  for (TSprite* s : SpriteRoot().Children())
    if (!s->IsDead && (dynamic_cast<TPrize*>(s) || dynamic_cast<TBonus*>(s))) ++items;
  for (int i = items; i < 20; ++i) {
    const int x = 1 + (i * 5) % 16, y = 1 + (i * 3) % 11;
    if (i % 5 == 4)
      new TTimeBonus(x, y);
    else
      new TPrize(x, y, static_cast<uint8_t>(1 + i % 5));
  }
}

// Keeps the frame's effects showing: the caption falls for 2.5 s, pop-ups rise for 1 s.
void KeepEffects(int32_t& nextCaption, int32_t& nextPopups) {
  if (G.LevelTicks >= nextCaption) {
    StartFallingCaption("HurryUp");
    nextCaption = G.LevelTicks + 2000;
  }
  if (G.LevelTicks >= nextPopups) {
    for (int i = 0; i < 5; ++i) ShowScorePopup(100 * (i + 1));
    nextPopups = G.LevelTicks + 1000;
  }
}

// One frame's time passes; the Dragon stays fed and in play whatever the monsters did.
void Tick() {
  G.LevelTicks += 16;
  G.SecondsElapsed = 0;  // the "Keys" hint stays on
  G.GameState = gsPlaying;
  if (Dragon) Dragon->Energy = 150;
}

enum class TPart { Frame, WholeFrame, Water, Pads, Sprites, Translucent, StatusLine };

void PlayBench(benchmark::State& state, int depth, TPart part) {
  BuildBusyLevel(depth);
  // Frame draws only what changed since the last frame (here the pads stand still: what moves
  // are the actors, the effects and the status line); WholeFrame draws everything every frame.
  Form->DXDraw.SetPartialDrawing(part != TPart::WholeFrame);
  int32_t nextCaption = 0, nextPopups = 0;
  for (auto _ : state) {
    Tick();
    if (!Dragon) {
      state.PauseTiming();
      BuildBusyLevel(depth);
      state.ResumeTiming();
    }
    KeepItems();
    KeepEffects(nextCaption, nextPopups);
    switch (part) {
      case TPart::Frame:
      case TPart::WholeFrame:
        DrawPlayfield();
        break;
      case TPart::Water:
        DrawWater();
        break;
      case TPart::Pads:
        DrawAllPads();
        break;
      case TPart::Sprites:
        SpriteEngine.Move(G.LagCount);
        SpriteEngine.SweepDead();
        SpriteEngine.Draw();
        break;
      case TPart::Translucent: {
        TPictureCollectionItem& keys = Form->ImageList.Find("Keys");
        BlendImage(Form->DXDraw.Surface(), 262, 335, keys,
                   {0, 0, keys.Width() - 1, keys.Height() - 1}, 185);
        DrawScorePopups();
        DrawFallingCaption();
        break;
      }
      case TPart::StatusLine:
        DrawHud();
        break;
    }
    benchmark::ClobberMemory();
  }
  SizedBytes = std::max(SizedBytes, TSizedPictures::TotalBytes());
  Form->DXDraw.SetPartialDrawing(true);
  Session.reset();
}

void MemcpyFrame(benchmark::State& state, int depth) {
  const size_t bytes = 640 * 480 * static_cast<size_t>(depth / 8);
  std::vector<uint8_t> a(bytes, 1), b(bytes, 2);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), bytes);
    benchmark::DoNotOptimize(b.data());
    benchmark::ClobberMemory();
  }
}

// The real window's present of one frame (SDL's choice of video driver).
void Flip(benchmark::State& state, int depth) {
  std::unique_ptr<IVideoOutput> video = CreateSdlVideo();
  try {
    video->Open(640, 480, depth);
  } catch (const EVideoError& e) {
    state.SkipWithError(e.what());
    return;
  }
  video->SetPacing(false);
  TSurface frame(640, 480, TPixelFormat::ForDepth(depth));
  frame.Fill(ToSurfaceColor(frame.Format(), 70, 177, 221));
  for (auto _ : state) {
    video->Present(frame);
    TInputEvent e;
    while (video->PollEvent(e)) {
    }
  }
}

const std::pair<const char*, TPart> kParts[] = {
    {"Frame", TPart::Frame},
    {"WholeFrame", TPart::WholeFrame},
    {"Water", TPart::Water},
    {"Pads", TPart::Pads},
    {"Sprites", TPart::Sprites},
    {"Translucent", TPart::Translucent},
    {"StatusLine", TPart::StatusLine},
};

void RegisterAll() {
  for (int depth : {32, 16}) {
    const std::string d = std::to_string(depth);
    for (const auto& [name, part] : kParts)
      benchmark::RegisterBenchmark(("Play" + d + "/" + name).c_str(), PlayBench, depth, part)
          ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("Play" + d + "/memcpy").c_str(), MemcpyFrame, depth)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("Play" + d + "/flip").c_str(), Flip, depth)
        ->Unit(benchmark::kMicrosecond)
        ->MinTime(0.2);
  }
}

class TCollector : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> Us;  // fastest repetition, microseconds per iteration
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& r : runs) {
      if (r.run_type != Run::RT_Iteration || r.error_occurred) continue;
      const double us =
          r.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(r.time_unit) * 1e6;
      const auto [it, fresh] = Us.emplace(r.benchmark_name(), us);
      if (!fresh) it->second = std::min(it->second, us);
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

void PrintSummary(const std::map<std::string, double>& us) {
  std::printf("\n%-6s %9s %9s %9s %9s %9s %9s %9s %9s %9s %10s\n", "depth", "frame us", "whole",
              "water", "pads", "sprites", "transl.", "status", "memcpy", "flip", "whole/mem");
  for (int depth : {32, 16}) {
    const std::string d = "Play" + std::to_string(depth) + "/";
    // Names may carry options after another '/' (".../flip/min_time:0.200").
    auto get = [&](const char* n) {
      const std::string key = d + n;
      for (const auto& [name, t] : us)
        if (name == key || name.rfind(key + "/", 0) == 0) return t;
      return 0.0;
    };
    std::printf("%-6d %9.1f %9.1f %9.1f %9.1f %9.1f %9.1f %9.1f %9.1f %9.1f %10.1f\n", depth,
                get("Frame"), get("WholeFrame"), get("Water"), get("Pads"), get("Sprites"),
                get("Translucent"), get("StatusLine"), get("memcpy"), get("flip"),
                get("memcpy") > 0 ? get("WholeFrame") / get("memcpy") : 0.0);
  }
  std::printf("Pictures kept at their drawn sizes: %zu KiB at most (%zu KiB a picture allowed)\n",
              SizedBytes / 1024, TSizedPictures::kBudget / 1024);
  std::printf(
      "Goals: a whole frame within 2.5x of memcpy at 32 bits, 4x at 16 bits; flip under 500 "
      "us.\n");
}

}  // namespace

int main(int argc, char** argv) {
  // Headless unless a display is there (xvfb-run gives one for the flip).
  if (!getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  EmptyFolder = process::MakeTemporaryFolder("tarvelle-bench-");
  benchmark::Initialize(&argc, argv);
  RegisterAll();
  TCollector reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintSummary(reporter.Us);
  Session.reset();
  std::filesystem::remove_all(EmptyFolder);
  benchmark::Shutdown();
  return 0;
}
