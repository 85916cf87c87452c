#include "tools/bot/bot_search.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <map>
#include <memory>
#include <queue>

#include "actors/dragon.h"
#include "actors/effects.h"
#include "core/globals.h"
#include "core/level_set.h"
#include "core/random.h"
#include "game/actor_report.h"
#include "game/playfield.h"
#include "game/rules.h"
#include "platform/keys.h"
#include "session/game_session.h"
#include "tools/bot/game_snapshot.h"

namespace {

constexpr int32_t WaitMs = 200;
constexpr std::array<std::array<int32_t, 2>, 4> Moves{{{-1, 0}, {0, -1}, {1, 0}, {0, 1}}};

// One state of the search: the game in every world (one per frame length) after the same
// moves, and when the moves were made.
struct TNode {
  std::vector<std::shared_ptr<TGameSnapshot>> Snaps;
  std::vector<bool> Won;
  std::vector<int32_t> StepIndex;  // per world: the demo's next step to apply
  std::vector<TDemoStepRec> Steps;
  int32_t Time = 1;  // LevelTicks from which the next move may be made
  double Value = 0;
  int32_t Eaten = 0, Bonuses = 0, CloseCalls = 0;
  // From the first world, for the result.
  int32_t TimeLeft = 0, Energy = 0, Score = 0, WonAt = 0;
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

// A hop takes 250 ms; a move waits long enough for the Dragon to have landed in every world
// however late its frame applied the key.
constexpr int32_t MoveMs = 320;

class TSearch {
 public:
  explicit TSearch(const TBotOptions& o) : o_(o), session_(BotSessionOptions(o)) {
    if (o_.DemoStyle)
      frames_ = {16, 7, 33};
    else
      frames_ = {o_.FrameMs};
  }
  TBotResult Run();

 private:
  void Start();
  void Frame(int32_t ms) {
    session_.Frame(ms);
    ++frameCount_;
  }
  // Plays one move (or a wait, move < 0) in every world; false when a world lost a life.
  bool Play(const TNode& from, int32_t move, TNode& child);
  double Value(const TNode& n) const;

  TBotOptions o_;
  TGameSession session_;
  std::vector<int32_t> frames_;
  int64_t frameCount_ = 0;
};

void TSearch::Start() {
  G.SleepMs = 0;
  if (o_.Levels.size() == 1) {
    session_.PlayLevels(std::vector<TLevelRecord>(LevelSetSize, o_.Levels.front()));
  } else if (!o_.Levels.empty()) {
    session_.PlayLevels(o_.Levels);
  }
  if (o_.DemoStyle) {
    ResetDemos();
    TDemoTables& t = Demos();
    t.DemoCount = 1;
    t.DemoRecord[1] = TDemoRecord{};
    t.DemoRecord[1].Level = o_.Level;
    StartDemoAt(1);
  } else {
    session_.StartLevel(o_.Level, o_.Difficulty, o_.Seed);
  }
}

bool TSearch::Play(const TNode& from, int32_t move, TNode& child) {
  child = TNode{};
  child.Steps = from.Steps;
  child.Won = from.Won;
  child.StepIndex = from.StepIndex;
  child.WonAt = from.WonAt;
  child.Eaten = from.Eaten;
  child.Bonuses = from.Bonuses;
  child.CloseCalls = from.CloseCalls;
  child.Time = from.Time + (move >= 0 ? MoveMs : WaitMs);
  if (move >= 0) {
    if (child.Steps.size() >= MaxDemoSteps) return false;
    child.Steps.push_back({from.Time, static_cast<uint8_t>(vk::Arrow(move))});
  }
  double value = 0;
  int32_t open = 0;
  for (size_t w = 0; w < frames_.size(); ++w) {
    if (from.Won[w]) {
      child.Snaps.push_back(from.Snaps[w]);
      value += 5000;
      continue;
    }
    from.Snaps[w]->Restore();
    if (o_.DemoStyle) {
      // The demo as far as it goes, and where this world is in it.
      TDemoTables& t = Demos();
      t.CurrentDemo = 1;
      t.DemoStepIndex = from.StepIndex[w];
      auto& steps = t.DemoRecord[1].Steps;
      for (size_t i = 0; i < child.Steps.size(); ++i) steps[i + 1] = child.Steps[i];
      steps[child.Steps.size() + 1] = {};
    }
    const TActorReport before = DescribeActors();
    if (move >= 0) {
      const int32_t tc = Dragon->Column + Moves[move][0], tr = Dragon->Row + Moves[move][1];
      if (!Passable(tc, tr)) return false;  // open water drowns for sure
      if (!o_.DemoStyle) RequestJump(Moves[move][0], Moves[move][1]);
    }
    // Up to the frame before the next move's time: that frame applies the next key, as the
    // demo's own playback does.
    TOutcome out = oGoesOn;
    while (G.LevelTicks + frames_[w] < child.Time && out == oGoesOn) {
      Frame(frames_[w]);
      out = Outcome();
    }
    if (out == oLost) return false;
    if (out == oWon && G.LevelTicks < o_.LingerMs) return false;  // too soon for the demo
    if (o_.DemoStyle) child.StepIndex[w] = Demos().DemoStepIndex;
    if (w == 0) {
      child.TimeLeft = G.TimeLeft;
      child.Score = G.Score;
      if (Dragon) child.Energy = Dragon->Energy;
    }
    // A world that has won is never played again: its snapshot stays as it was.
    child.Snaps.push_back(out == oWon ? from.Snaps[w]
                                      : std::make_shared<TGameSnapshot>(session_.VirtualClock()));
    if (out == oWon) {
      child.Won[w] = true;
      if (w == 0) child.WonAt = G.LevelTicks;
      value += 5000;
      continue;
    }
    const TActorReport after = DescribeActors();
    if (w == 0) {
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
    }
    value += Value(child);
    ++open;
  }
  child.Value = value / static_cast<double>(frames_.size());
  (void)open;
  return true;
}

double TSearch::Value(const TNode& n) const {
  const TActorReport a = DescribeActors();
  const auto d = Distances(a.DragonColumn, a.DragonRow);
  double v = 0;
  int32_t nearestFood = INT_MAX / 4, nearestBonus = INT_MAX / 4;
  const bool lingering = o_.DemoStyle && G.LevelTicks < o_.LingerMs;
  for (const TItemReport& i : a.Items) {
    if (i.Kind == "diamond") {
      if (!lingering) v -= 100.0 * std::min(d[i.Column][i.Row], 40);
    } else if (i.Kind == "food") {
      nearestFood = std::min(nearestFood, d[i.Column][i.Row]);
    } else {
      nearestBonus = std::min(nearestBonus, d[i.Column][i.Row]);
    }
  }
  if (lingering) {
    if (nearestBonus < 40) v -= 30.0 * nearestBonus;
    if (nearestFood < 40) v -= 10.0 * nearestFood;
    v += 60.0 * n.Bonuses;
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
    v += static_cast<double>(h % 1000) / 6.0;
  }
  return v;
}

TBotResult TSearch::Run() {
  Start();
  TBotResult result;
  std::vector<TNode> beam(1);
  const auto first = std::make_shared<TGameSnapshot>(session_.VirtualClock());
  beam[0].Snaps.assign(frames_.size(), first);
  beam[0].Won.assign(frames_.size(), false);
  beam[0].StepIndex.assign(frames_.size(), 1);
  beam[0].Time = G.LevelTicks;
  while (!beam.empty()) {
    std::map<int32_t, TNode> best;
    for (const TNode& n : beam) {
      for (int32_t move = -1; move < 4; ++move) {
        TNode child;
        if (!Play(n, move, child)) continue;
        if (std::all_of(child.Won.begin(), child.Won.end(), [](bool b) { return b; })) {
          result.Won = true;
          result.TimeLeft = child.TimeLeft;
          result.Score = child.Score;
          result.LevelTicks = child.WonAt;
          result.Energy = child.Energy;
          result.Steps = child.Steps;
          result.Eaten = child.Eaten;
          result.Bonuses = child.Bonuses;
          result.CloseCalls = child.CloseCalls;
          result.Frames = frameCount_;
          return result;
        }
        // States are told apart by the Dragon's cell and energy in the first world still open.
        size_t w = 0;
        while (child.Won[w]) ++w;
        child.Snaps[w]->Restore();
        const int32_t key =
            ((Dragon->Column * 32 + Dragon->Row) * 8 + std::min(Dragon->Energy / 25, 7)) * 8 +
            static_cast<int32_t>(std::count(child.Won.begin(), child.Won.end(), true));
        auto it = best.find(key);
        if (it == best.end() || it->second.Value < child.Value) best[key] = std::move(child);
      }
    }
    beam.clear();
    for (auto& [key, node] : best) beam.push_back(std::move(node));
    std::sort(beam.begin(), beam.end(),
              [](const TNode& a, const TNode& b) { return a.Value > b.Value; });
    if (static_cast<int32_t>(beam.size()) > o_.Beam) beam.resize(static_cast<size_t>(o_.Beam));
    if (o_.KeepGoing && !beam.empty()) {
      int32_t furthest = 0;
      for (const TNode& n : beam) furthest = std::max(furthest, n.Time);
      if (!o_.KeepGoing(furthest)) {
        result.Stopped = true;
        break;
      }
    }
  }
  result.Frames = frameCount_;
  return result;
}

}  // namespace

TBotResult SearchWin(const TBotOptions& options) {
  TSearch search(options);
  return search.Run();
}

TSessionOptions BotSessionOptions(const TBotOptions& options, bool pictures) {
  TSessionOptions d;
  d.Data = options.Data;
  d.FrameMs = options.FrameMs;
  d.Seed = options.Seed;
  d.Offscreen = true;
  d.Pictures = pictures;  // the actors move as when drawn
  return d;
}
