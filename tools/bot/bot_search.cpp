#include "tools/bot/bot_search.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <map>
#include <memory>
#include <queue>

#include "actors/dragon.h"
#include "game/globals.h"
#include "game/playfield.h"
#include "game/random.h"
#include "game/screen_calls.h"
#include "tools/bot/game_snapshot.h"
#include "tools/drive/driver.h"

namespace {

constexpr int32_t WaitMs = 200;
constexpr int32_t ActionLimitMs = 2000;
constexpr std::array<std::array<int32_t, 2>, 4> Moves{{{-1, 0}, {0, -1}, {1, 0}, {0, 1}}};

struct TNode {
  std::shared_ptr<TGameSnapshot> Snap;
  std::vector<TDemoStepRec> Steps;
  double Value = 0;
  int32_t Eaten = 0, Bonuses = 0, CloseCalls = 0;
};

enum TOutcome { oGoesOn, oWon, oLost };

TOutcome Outcome() {
  if (G.GameState == gsLevelDone ||
      (G.GameState == gsTransition && TransitionInterrupted(gsLevelDone)))
    return oWon;
  if ((G.GameState != gsPlaying && G.GameState != gsDemo) || !Dragon || G.TimeLeft <= 0)
    return oLost;
  return oGoesOn;
}

bool Passable(int32_t c, int32_t r) {
  return c >= 1 && r >= 1 && c <= G.GridCols && r <= G.GridRows && G.Pads[c][r].Kind != pkWater;
}

// Hops from (c, r) to every cell over cells that are or will be pads.
std::array<std::array<int32_t, 21>, 21> Distances(int32_t c0, int32_t r0) {
  std::array<std::array<int32_t, 21>, 21> d;
  for (auto& col : d) col.fill(INT_MAX / 4);
  std::queue<std::pair<int32_t, int32_t>> q;
  d[c0][r0] = 0;
  q.push({c0, r0});
  while (!q.empty()) {
    const auto [c, r] = q.front();
    q.pop();
    for (const auto& m : Moves) {
      const int32_t nc = c + m[0], nr = r + m[1];
      if (!Passable(nc, nr) || d[nc][nr] <= d[c][r] + 1) continue;
      d[nc][nr] = d[c][r] + 1;
      q.push({nc, nr});
    }
  }
  return d;
}

class TSearch {
 public:
  explicit TSearch(const TBotOptions& o) : o_(o), driver_(DriverOptions(o)) {
    SetPlayfieldPictures(false);
  }
  ~TSearch() { SetPlayfieldPictures(true); }

  TBotResult Run();

 private:
  static TDriverOptions DriverOptions(const TBotOptions& o) {
    TDriverOptions d;
    d.Data = o.Data;
    d.FrameMs = o.FrameMs;
    d.Seed = o.Seed;
    return d;
  }
  void Start();
  void Frame() {
    TVirtualClock& clock = driver_.VirtualClock();
    const int32_t sleep = std::clamp(G.SleepMs, 0, o_.FrameMs);
    clock.Advance(static_cast<uint32_t>(o_.FrameMs - sleep));
    driver_.Form().DXTimer1Timer(o_.FrameMs);
    ++frames_;
  }
  void RestoreNode(const TNode& n) {
    n.Snap->Restore();
    if (!o_.DemoStyle) return;
    TDemoTables& t = Demos();
    t.CurrentDemo = 1;
    t.DemoStepIndex = static_cast<int32_t>(n.Steps.size()) + 1;
    if (t.DemoStepIndex <= MaxDemoSteps) t.DemoRecord[1].Steps[t.DemoStepIndex] = {};
  }
  // Plays one move (or a wait, move < 0) from the current state; fills child.
  TOutcome Play(const TNode& from, int32_t move, TNode& child);
  double Value(const TNode& n) const;

  TBotOptions o_;
  THeadlessDriver driver_;
  int64_t frames_ = 0;
};

void TSearch::Start() {
  G.SleepMs = 0;
  if (o_.DemoStyle) {
    ResetDemos();
    TDemoTables& t = Demos();
    t.DemoCount = 1;
    t.DemoRecord[1] = TDemoRecord{};
    t.DemoRecord[1].Level = o_.Level;
    StartDemoAt(1);
  } else {
    G.Difficulty = o_.Difficulty;
    G.MaxLevel = G.LevelCount;
    RandomState = o_.Seed;
    NewGame(o_.Level);
  }
}

TOutcome TSearch::Play(const TNode& from, int32_t move, TNode& child) {
  RestoreNode(from);
  child.Steps = from.Steps;
  child.Eaten = from.Eaten;
  child.Bonuses = from.Bonuses;
  child.CloseCalls = from.CloseCalls;
  const TActorReport before = DescribeActors();
  const int32_t start = G.LevelTicks;
  if (move >= 0) {
    const int32_t tc = Dragon->Column + Moves[move][0], tr = Dragon->Row + Moves[move][1];
    if (!Passable(tc, tr)) return oLost;  // open water drowns for sure
    if (child.Steps.size() >= MaxDemoSteps) return oLost;
    const uint8_t key = static_cast<uint8_t>(37 + move);
    child.Steps.push_back({G.LevelTicks + 1, key});
    if (o_.DemoStyle) {
      TDemoTables& t = Demos();
      t.DemoRecord[1].Steps[child.Steps.size()] = child.Steps.back();
      t.DemoRecord[1].Steps[child.Steps.size() + 1] = {};
    } else {
      RequestJump(Moves[move][0], Moves[move][1]);
    }
    bool hopped = false;
    do {
      Frame();
      if (Outcome() != oGoesOn) return Outcome();
      hopped = hopped || (Dragon && Dragon->Hopping());
    } while ((Dragon->Hopping() || !hopped) && G.LevelTicks - start < ActionLimitMs);
    if (!hopped) return oLost;
  } else {
    while (G.LevelTicks - start < WaitMs) {
      Frame();
      if (Outcome() != oGoesOn) return Outcome();
    }
  }
  const TActorReport after = DescribeActors();
  for (const TItemReport& i : before.Items) {
    if (i.Column != after.DragonColumn || i.Row != after.DragonRow) continue;
    const bool still = std::any_of(after.Items.begin(), after.Items.end(), [&](const auto& j) {
      return j.Column == i.Column && j.Row == i.Row && j.Kind == i.Kind;
    });
    if (still) continue;
    if (i.Kind == "food")
      ++child.Eaten;
    else if (i.Kind != "diamond")
      ++child.Bonuses;
  }
  for (const auto& m : after.Monsters)
    if (std::abs(m[1] - after.DragonColumn) + std::abs(m[2] - after.DragonRow) <= 1)
      ++child.CloseCalls;
  child.Snap = std::make_shared<TGameSnapshot>(driver_.VirtualClock());
  child.Value = Value(child);
  return oGoesOn;
}

double TSearch::Value(const TNode& n) const {
  const TActorReport a = DescribeActors();
  const auto d = Distances(a.DragonColumn, a.DragonRow);
  double v = 0;
  int32_t nearestFood = INT_MAX / 4;
  for (const TItemReport& i : a.Items) {
    if (i.Kind == "diamond")
      v -= 100.0 * std::min(d[i.Column][i.Row], 40);
    else if (i.Kind == "food")
      nearestFood = std::min(nearestFood, d[i.Column][i.Row]);
  }
  v += 3.0 * std::min(a.Energy, 80) + 0.2 * a.Energy;
  if (a.Energy < 60 && nearestFood < 40) v -= 25.0 * nearestFood;
  v += (o_.DemoStyle ? 0.5 : 0.05) * G.Score;
  const TPad& p = G.Pads[a.DragonColumn][a.DragonRow];
  if (p.Kind != pkIsland) v -= 10.0;
  int32_t near = 0;
  for (const auto& m : a.Monsters)
    near += std::abs(m[1] - a.DragonColumn) + std::abs(m[2] - a.DragonRow) <= 1;
  v -= (o_.DemoStyle ? 30.0 : 60.0) * near;
  if (o_.DemoStyle) v += 20.0 * n.Bonuses + 10.0 * std::min(n.CloseCalls, 3);
  if (o_.Variant != 0) {
    // A little order of its own for each variant, so that demos of one level differ.
    uint32_t h =
        o_.Variant * 2654435761u ^ static_cast<uint32_t>(a.DragonColumn * 97 + a.DragonRow);
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    v += static_cast<double>(h % 1000) / 25.0;
  }
  return v;
}

TBotResult TSearch::Run() {
  Start();
  TBotResult result;
  std::vector<TNode> beam(1);
  beam[0].Snap = std::make_shared<TGameSnapshot>(driver_.VirtualClock());
  while (!beam.empty()) {
    std::map<int32_t, TNode> best;
    for (const TNode& n : beam) {
      for (int32_t move = -1; move < 4; ++move) {
        TNode child;
        const TOutcome out = Play(n, move, child);
        if (out == oLost) continue;
        if (out == oWon) {
          result.Won = true;
          result.TimeLeft = G.TimeLeft;
          result.Score = G.Score;
          result.LevelTicks = G.LevelTicks;
          if (Dragon) result.Energy = Dragon->Energy;
          result.Steps = child.Steps;
          result.Eaten = child.Eaten;
          result.Bonuses = child.Bonuses;
          result.CloseCalls = child.CloseCalls;
          result.Frames = frames_;
          return result;
        }
        const int32_t key =
            (Dragon->Column * 32 + Dragon->Row) * 8 + std::min(Dragon->Energy / 25, 7);
        auto it = best.find(key);
        if (it == best.end() || it->second.Value < child.Value) best[key] = std::move(child);
      }
    }
    beam.clear();
    for (auto& [key, node] : best) beam.push_back(std::move(node));
    std::sort(beam.begin(), beam.end(),
              [](const TNode& a, const TNode& b) { return a.Value > b.Value; });
    if (static_cast<int32_t>(beam.size()) > o_.Beam) beam.resize(static_cast<size_t>(o_.Beam));
  }
  result.Frames = frames_;
  return result;
}

}  // namespace

TBotResult SearchWin(const TBotOptions& options) {
  TSearch search(options);
  return search.Run();
}
