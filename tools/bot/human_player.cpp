#include "tools/bot/human_player.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <queue>
#include <random>

#include "actors/dragon.h"
#include "actors/effects.h"
#include "actors/monsters.h"
#include "actors/sprite_tree.h"
#include "core/globals.h"
#include "core/level_set.h"
#include "game/actor_report.h"
#include "game/rules.h"
#include "session/game_session.h"

namespace {

constexpr int32_t HopMs = 250;       // every hop of the game lasts this long
constexpr int32_t LookBackMs = 200;  // how far back the eye compares a pad's size
constexpr int32_t MemoryMs = 600;    // how far back the monsters' places are kept
// The eye needs this long (ms) of a pad going down to judge its speed; until then it expects
// the speed it has seen pads of this pond go down at, at first 40 pixels in UsualSinkMs.
constexpr int32_t JudgeSpeedMs = 150, UsualSinkMs = 1200;
// A pad smaller than this (pixels) that is not seen growing is no place to land.
constexpr int32_t TinyPad = 16;
constexpr int32_t TryLimitMs = 30 * 60 * 1000;  // a level without a clock still ends
constexpr std::array<std::array<int32_t, 2>, 4> Moves{{{-1, 0}, {0, -1}, {1, 0}, {0, 1}}};
constexpr int32_t Unknown = INT_MAX / 4;
// A pad believed to hold this long (ms) is as good as an island for the plan, and each second of
// hold up to it is worth this many hops nearer the goal; a hop costs a little of its own, so that
// of two routes as good the shorter is taken.
constexpr int32_t SafeEnoughMs = 3000;
constexpr double SafetyWeight = 0.25, HopCost = 0.1;

// The player's own random draws, apart from the game's: the same seed, the same player.
class TDraw {
 public:
  explicit TDraw(uint32_t seed) : gen_(seed * 2654435761u ^ 0x9E3779B9u) {}
  // Evenly in [lo, hi].
  int32_t Between(int32_t lo, int32_t hi) {
    if (hi <= lo) return lo;
    return lo + static_cast<int32_t>(gen_() % static_cast<uint32_t>(hi - lo + 1));
  }
  bool PerMille(int32_t chance) { return Between(0, 999) < chance; }

 private:
  std::mt19937 gen_;
};

using TCells = std::vector<std::array<int32_t, 2>>;

// What the screen shows of one cell.
struct TSeenPad {
  int32_t Kind = 0;    // as drawn: water, lily pad, island, stepped pad
  int32_t Size = 0;    // as read by eye
  int32_t Trend = 0;   // +1 growing, -1 sinking, 0 still, as seen over the last moments
  int32_t Life = 0;    // how long the player believes it carries the Dragon from the look (ms)
  bool Known = false;  // the cell has shown a pad at some time of this try
};

// The pond as the player sees it at one moment.
struct TView {
  int32_t Ticks = 0;
  int32_t Cols = 0, Rows = 0;
  std::array<std::array<TSeenPad, 21>, 21> Pads{};
  TActorReport Actors;
  TCells Monsters;  // cells a monster stands on or hops to
  int32_t TimeLeft = 0;
};

class TPlayer {
 public:
  TPlayer(const TBotOptions& o, const THumanProfile& p,
          const std::function<void(const std::string&)>& trace, bool pictures)
      : o_(o), p_(p), trace_(trace), draw_(o.Seed), session_(BotSessionOptions(o, pictures)) {}
  THumanTry Play();

 private:
  void Start();
  // How long a pad of that size takes to go under at the speed pads are seen to sink here.
  int32_t SinkingMs(int32_t size) const {
    return std::max(0, static_cast<int32_t>((size - 10) * sinkMsPerPixel_));
  }
  // The usual time from a landing to the next key when the route goes on.
  int32_t LeaveMs() const { return (p_.ChainMinMs + p_.ChainMaxMs) / 2; }
  void Trace(const TView& seen, int32_t move, bool slip) const;
  void Remember();
  // The key about to be pressed is held back: what the eye saw in time says it is deadly.
  bool HoldsBack(int32_t move) const;
  TView Look();
  // How long the pad at (c, r) is believed to carry the Dragon from now (ms).
  int32_t Lasts(const TView& v, int32_t c, int32_t r) const;
  bool NearMonster(const TView& v, int32_t c, int32_t r, int32_t range) const;
  // The first move of the best route from the Dragon's cell, or -1 to stay.
  int32_t Choose(const TView& v, bool& planned);
  // Hops from every cell to the goal over cells known to hold pads.
  void GoalDistances(const TView& v, std::array<std::array<int32_t, 21>, 21>& d) const;
  double Value(const TView& v, int32_t c, int32_t r, int32_t atMs,
               const std::array<std::array<int32_t, 21>, 21>& goal) const;
  double Route(const TView& v, int32_t c, int32_t r, int32_t depth, int32_t atMs,
               const std::array<std::array<int32_t, 21>, 21>& goal) const;

  TBotOptions o_;
  THumanProfile p_;
  const std::function<void(const std::string&)>& trace_;
  TDraw draw_;
  TGameSession session_;
  // Sizes of the last frames, to tell growing pads from sinking ones as the eye does.
  std::deque<std::pair<int32_t, std::array<std::array<uint16_t, 21>, 21>>> past_;
  std::deque<std::pair<int32_t, TCells>> monsters_;  // and the monsters' cells
  std::array<std::array<bool, 21>, 21> known_{};
  std::array<std::array<int32_t, 21>, 21> stillSince_{};  // when a pad was seen to stop changing
  // When a pad was seen to start sinking, and its size then.
  std::array<std::array<std::pair<int32_t, int32_t>, 21>, 21> sinkFrom_{};
  // How fast the pads of this pond go down, as learnt by watching them (ms a pixel).
  double sinkMsPerPixel_ = UsualSinkMs / 40.0;
  mutable const char* goalName_ = "";  // what the last plan went for
  mutable int32_t goalHops_ = 0;       // and how far it was
  bool blind_ = false;                 // this decision overlooks the monsters
  int32_t planned_ = -1;               // the hop planned after the one chosen last, -1 none
};

void TPlayer::Start() {
  G.SleepMs = 0;
  if (o_.Levels.size() == 1)
    session_.PlayLevels(std::vector<TLevelRecord>(LevelSetSize, o_.Levels.front()));
  else if (!o_.Levels.empty())
    session_.PlayLevels(o_.Levels);
  session_.StartLevel(o_.Level, o_.Difficulty, o_.Seed);
}

void TPlayer::Remember() {
  std::array<std::array<uint16_t, 21>, 21> sizes{};
  for (int32_t c = 1; c <= G.GridCols && c <= 20; ++c)
    for (int32_t r = 1; r <= G.GridRows && r <= 20; ++r) {
      sizes[c][r] = G.Pads[c][r].Kind == pkWater ? 0 : G.Pads[c][r].Size;
      if (sizes[c][r] > 0) known_[c][r] = true;
    }
  if (!past_.empty()) {
    const auto& last = past_.back().second;
    for (int32_t c = 1; c <= G.GridCols && c <= 20; ++c)
      for (int32_t r = 1; r <= G.GridRows && r <= 20; ++r) {
        if (sizes[c][r] == 0 || sizes[c][r] != last[c][r])
          stillSince_[c][r] = 0;
        else if (stillSince_[c][r] == 0)
          stillSince_[c][r] = past_.back().first;
        if (sizes[c][r] == 0 && last[c][r] > 0 && sinkFrom_[c][r].first > 0 &&
            sinkFrom_[c][r].second > 10) {
          // A pad watched going down all the way: the pond's pads sink about this fast.
          const double sample = static_cast<double>(G.LevelTicks - sinkFrom_[c][r].first) /
                                (sinkFrom_[c][r].second - 10);
          sinkMsPerPixel_ = 0.8 * sinkMsPerPixel_ + 0.2 * sample;
        }
        if (sizes[c][r] == 0 || sizes[c][r] > last[c][r])
          sinkFrom_[c][r] = {0, 0};
        else if (sizes[c][r] < last[c][r] && sinkFrom_[c][r].first == 0)
          sinkFrom_[c][r] = {past_.back().first, last[c][r]};
      }
  }
  past_.push_back({G.LevelTicks, sizes});
  while (past_.size() > 2 && G.LevelTicks - past_[1].first >= LookBackMs) past_.pop_front();
  // The monsters where they stand, and where those in the air are seen to come down.
  TCells cells;
  for (int32_t i = 0; i < SpriteRoot().ChildCount(); ++i) {
    const auto* m = dynamic_cast<const TEnemy*>(SpriteRoot().Child(i));
    if (!m || m->IsDead || m->Sinking) continue;
    cells.push_back({m->Column, m->Row});
    if (m->JumpStart != 0) cells.push_back({m->TargetColumn, m->TargetRow});
  }
  monsters_.push_back({G.LevelTicks, std::move(cells)});
  while (monsters_.size() > 2 && G.LevelTicks - monsters_[1].first >= MemoryMs)
    monsters_.pop_front();
}

bool TPlayer::HoldsBack(int32_t move) const {
  if (p_.HoldBackMs <= 0) return false;
  const int32_t c = Dragon->Column + Moves[move][0], r = Dragon->Row + Moves[move][1];
  if (c < 1 || r < 1 || c > G.GridCols || r > G.GridRows || c > 20 || r > 20) return false;
  // What the eye had taken in HoldBackMs ago, the latest that can still stop the finger.
  const int32_t then = G.LevelTicks - p_.HoldBackMs;
  const TCells* cells = &monsters_.front().second;
  for (const auto& [ticks, seen] : monsters_)
    if (ticks <= then) cells = &seen;
  // A monster beside the target stops the hop, unless the Dragon's own cell is as close to
  // one (then the hop is the way out).
  auto near = [&](int32_t x, int32_t y) {
    for (const auto& m : *cells)
      if (std::abs(m[0] - x) + std::abs(m[1] - y) <= 1) return true;
    return false;
  };
  if (!blind_ && near(c, r) && !near(Dragon->Column, Dragon->Row)) return true;
  const auto& sizes = past_.front().second;
  return sizes[c][r] == 0;
}

TView TPlayer::Look() {
  TView v;
  v.Ticks = G.LevelTicks;
  v.Cols = std::min<int32_t>(G.GridCols, 20);
  v.Rows = std::min<int32_t>(G.GridRows, 20);
  v.Actors = DescribeActors();
  v.Monsters = monsters_.back().second;
  v.TimeLeft = G.TimeLeft;
  const auto& then = past_.front().second;
  for (int32_t c = 1; c <= v.Cols; ++c)
    for (int32_t r = 1; r <= v.Rows; ++r) {
      TSeenPad& s = v.Pads[c][r];
      const TPad& pad = G.Pads[c][r];
      s.Kind = pad.Kind;
      s.Known = known_[c][r];
      const int32_t now = pad.Kind == pkWater ? 0 : pad.Size;
      s.Trend = now > then[c][r] ? 1 : now < then[c][r] ? -1 : 0;
      s.Size = now;
      if (now > 0 && p_.SizeErrorPercent > 0) {
        const int32_t e = draw_.Between(-p_.SizeErrorPercent, p_.SizeErrorPercent);
        s.Size = std::max(1, now + now * e / 100);
      }
      if (now <= 0 || (now < TinyPad && s.Trend <= 0)) {
        s.Life = 0;  // water, or a speck of a pad that is not growing
      } else if (pad.Kind == pkIsland) {
        s.Life = v.TimeLeft > 0 ? Unknown : 0;
      } else if (s.Trend >= 0) {
        // However long it has rested, a pad has to go down before it is gone, and that is
        // seen: at the least it lasts as long as sinking from its size at the usual speed.
        const int32_t sinking = SinkingMs(s.Size);
        const int32_t still =
            p_.WatchesPads && stillSince_[c][r] > 0 ? v.Ticks - stillSince_[c][r] : 0;
        s.Life = std::max(sinking, s.Trend > 0 ? p_.GrowingTrustMs : p_.FullTrustMs - still);
      } else {
        // Sinking: the eye judges how fast once it has watched it go down for a moment (until
        // then, as fast as pads usually go); a pad goes under at size 10.
        const auto [since, from] = sinkFrom_[c][r];
        const int32_t watched = since > 0 ? v.Ticks - since : 0;
        if (watched >= JudgeSpeedMs && from > now)
          s.Life = std::max(0, (s.Size - 10) * watched / (from - now));
        else
          s.Life = std::max(0, static_cast<int32_t>((s.Size - 10) * sinkMsPerPixel_));
      }
    }
  return v;
}

int32_t TPlayer::Lasts(const TView& v, int32_t c, int32_t r) const {
  return v.Pads[c][r].Life;
}

bool TPlayer::NearMonster(const TView& v, int32_t c, int32_t r, int32_t range) const {
  if (blind_) return false;
  for (const auto& m : v.Monsters)
    if (std::abs(m[0] - c) + std::abs(m[1] - r) <= range) return true;
  return false;
}

void TPlayer::GoalDistances(const TView& v, std::array<std::array<int32_t, 21>, 21>& d) const {
  for (auto& col : d) col.fill(Unknown);
  const TActorReport& a = v.Actors;
  const bool hungry = a.Energy < p_.HungryBelow;
  const bool hurry = v.TimeLeft < p_.HurryBelowSeconds;
  std::queue<std::pair<int32_t, int32_t>> q;
  auto seed = [&](const char* kind) {
    for (const TItemReport& i : a.Items)
      if (i.Kind == kind && i.Column >= 1 && i.Row >= 1 && i.Column <= v.Cols && i.Row <= v.Rows) {
        d[i.Column][i.Row] = 0;
        q.push({i.Column, i.Row});
      }
  };
  // Hungry: food first, unless the diamond is near enough to reach on the energy left (a hop
  // and the look before the next one cost about three points).
  int32_t diamond = Unknown;
  for (const TItemReport& i : a.Items)
    if (i.Kind == "diamond")
      diamond = std::abs(i.Column - a.DragonColumn) + std::abs(i.Row - a.DragonRow);
  goalName_ = "food";
  if (hungry && !hurry && a.Energy < 3 * diamond + 15) seed("food");
  if (q.empty()) goalName_ = "diamond", seed("diamond");
  if (q.empty()) goalName_ = "food", seed("food");  // nothing else to do while the diamond is away
  if (q.empty()) {
    goalName_ = "island";
    // Waiting for the diamond: stay near the islands, the pads that never sink.
    for (int32_t c = 1; c <= v.Cols; ++c)
      for (int32_t r = 1; r <= v.Rows; ++r)
        if (v.Pads[c][r].Kind == pkIsland) {
          d[c][r] = 0;
          q.push({c, r});
        }
  }
  while (!q.empty()) {
    const auto [c, r] = q.front();
    q.pop();
    for (const auto& m : Moves) {
      const int32_t nc = c + m[0], nr = r + m[1];
      if (nc < 1 || nr < 1 || nc > v.Cols || nr > v.Rows) continue;
      if (!v.Pads[nc][nr].Known || v.Pads[nc][nr].Kind == pkWater) continue;
      if (d[nc][nr] <= d[c][r] + 1) continue;
      d[nc][nr] = d[c][r] + 1;
      q.push({nc, nr});
    }
  }
}

// The value of standing on (c, r) atMs after the look: near the goal, on a pad that holds.
double TPlayer::Value(const TView& v, int32_t c, int32_t r, int32_t atMs,
                      const std::array<std::array<int32_t, 21>, 21>& goal) const {
  const double safety = std::clamp(Lasts(v, c, r) - atMs, 0, SafeEnoughMs) / 1000.0;
  // Standing beside a monster is asking to be eaten: only when nothing else is left.
  const double monster = NearMonster(v, c, r, p_.MonsterRange) ? 50.0 : 0.0;
  if (goal[c][r] == 0) return 100.0 + safety - monster;
  return -1.0 * std::min(goal[c][r], 60) + SafetyWeight * safety - monster;
}

// The best value reached from (c, r) in up to depth more hops, each over a pad that looks as if
// it will hold and is clear of monsters.
double TPlayer::Route(const TView& v, int32_t c, int32_t r, int32_t depth, int32_t atMs,
                      const std::array<std::array<int32_t, 21>, 21>& goal) const {
  double best = Value(v, c, r, atMs, goal);
  if (goal[c][r] == 0 || depth == 0) return best;
  const int32_t step = LeaveMs() + HopMs;
  for (const auto& m : Moves) {
    const int32_t nc = c + m[0], nr = r + m[1];
    if (nc < 1 || nr < 1 || nc > v.Cols || nr > v.Rows) continue;
    if (Lasts(v, nc, nr) < atMs + step + LeaveMs() + p_.SafetyMarginMs) continue;
    if (NearMonster(v, nc, nr, p_.MonsterPassRange)) continue;
    best = std::max(best, Route(v, nc, nr, depth - 1, atMs + step, goal) - HopCost);
  }
  return best;
}

int32_t TPlayer::Choose(const TView& v, bool& planned) {
  std::array<std::array<int32_t, 21>, 21> goal;
  GoalDistances(v, goal);
  const int32_t c = v.Actors.DragonColumn, r = v.Actors.DragonRow;
  goalHops_ = goal[c][r];
  const int32_t react = (p_.ReactMinMs + p_.ReactMaxMs) / 2;
  // Staying: fine while the pad holds and no monster is beside.
  // (the pad must hold until the key that leaves it: a look and a press from now).
  const bool stayOk =
      Lasts(v, c, r) >= 2 * react + p_.SafetyMarginMs && !NearMonster(v, c, r, p_.MonsterRange);
  double bestValue = stayOk ? Value(v, c, r, react, goal) : -1e9;
  int32_t best = -1;
  for (int32_t move = 0; move < 4; ++move) {
    const int32_t nc = c + Moves[move][0], nr = r + Moves[move][1];
    if (nc < 1 || nr < 1 || nc > v.Cols || nr > v.Rows) continue;
    // A pad to hop to must hold from the landing until the key that leaves it again.
    const int32_t lasts = Lasts(v, nc, nr);
    if (lasts < react + HopMs + LeaveMs() + p_.SafetyMarginMs) continue;
    double value = Route(v, nc, nr, p_.PlanHops - 1, react + HopMs, goal) - HopCost;
    if (NearMonster(v, nc, nr, p_.MonsterPassRange)) value -= 1000;  // only if nothing else is left
    if (value > bestValue) {
      bestValue = value;
      best = move;
    }
  }
  if (best < 0 && !stayOk) {
    // Nowhere looks safe: jump to the pad that looks best of the bad ones.
    int32_t longest = 0;
    for (int32_t move = 0; move < 4; ++move) {
      const int32_t nc = c + Moves[move][0], nr = r + Moves[move][1];
      if (nc < 1 || nr < 1 || nc > v.Cols || nr > v.Rows) continue;
      const int32_t lasts = Lasts(v, nc, nr) - (NearMonster(v, nc, nr, 1) ? 1000 : 0);
      if (lasts > longest) longest = lasts, best = move;
    }
  }
  // The route goes on: the next hop after this one, ready for when the Dragon lands.
  planned = best >= 0 && best == planned_;
  planned_ = -1;
  if (best >= 0 && p_.PlanHops >= 2) {
    const int32_t tc = c + Moves[best][0], tr = r + Moves[best][1];
    const int32_t at = react + HopMs, step = LeaveMs() + HopMs;
    double next = Value(v, tc, tr, at, goal);
    for (int32_t move = 0; move < 4; ++move) {
      const int32_t nc = tc + Moves[move][0], nr = tr + Moves[move][1];
      if (nc < 1 || nr < 1 || nc > v.Cols || nr > v.Rows) continue;
      if (Lasts(v, nc, nr) < at + step + LeaveMs() + p_.SafetyMarginMs) continue;
      if (NearMonster(v, nc, nr, p_.MonsterPassRange)) continue;
      const double value = Route(v, nc, nr, p_.PlanHops - 2, at + step, goal) - HopCost;
      if (value > next) next = value, planned_ = move;
    }
  }
  return best;
}

void TPlayer::Trace(const TView& seen, int32_t move, bool slip) const {
  static const char* const names[] = {"left", "up", "right", "down"};
  const int32_t c = Dragon->Column, r = Dragon->Row;
  const int32_t nc = c + Moves[move][0], nr = r + Moves[move][1];
  const bool on = nc >= 1 && nr >= 1 && nc <= seen.Cols && nr <= seen.Rows;
  const TSeenPad s = on ? seen.Pads[nc][nr] : TSeenPad{};
  const int32_t now = on && G.Pads[nc][nr].Kind != pkWater ? G.Pads[nc][nr].Size : 0;
  char line[260];
  std::snprintf(line, sizeof line,
                "%6d ms  (%d,%d) %-5s%s seen %ld ms ago: size %d %s, thought to last %d ms; "
                "now %d; energy %d; for the %s %d hop(s) away",
                G.LevelTicks, c, r, names[move], slip ? " (slip)" : "",
                static_cast<long>(G.LevelTicks - seen.Ticks), s.Size,
                s.Trend > 0   ? "growing"
                : s.Trend < 0 ? "sinking"
                              : "still",
                on ? std::min(Lasts(seen, nc, nr), 99999) : 0, now, Dragon->Energy, goalName_,
                std::min(goalHops_, 99));
  trace_(line);
}

THumanTry TPlayer::Play() {
  Start();
  THumanTry t;
  const int32_t frame = std::max(1, o_.FrameMs);
  int32_t pressAt = -1, move = -1;
  TView seen;
  bool wasJumping = false;
  while (true) {
    Remember();
    // How the try stands.
    if (G.GameState == gsLevelDone ||
        (G.GameState == gsTransition && TransitionInterrupted(gsLevelDone))) {
      t.Won = true;
      break;
    }
    if (G.GameState != gsPlaying || !Dragon) {
      switch (G.DeathReason) {
        case 0:
          t.Loss = TLoss::Eaten;
          break;
        case 1:
          t.Loss = TLoss::Drowned;
          break;
        case 3:
          t.Loss = TLoss::Starved;
          break;
        default:
          t.Loss = TLoss::Time;
          break;
      }
      break;
    }
    if (G.TimeLeft <= 0 || G.LevelTicks > TryLimitMs) {
      t.Loss = TLoss::Time;
      break;
    }
    const bool jumping = Dragon->JumpStart != 0;
    // At the start the player takes in the pond for a moment before the first key.
    if (!jumping && G.LevelTicks >= LookBackMs) {
      if (pressAt < 0) {
        // A fresh look: what is seen now is acted on after the reaction time.
        seen = Look();
        blind_ = draw_.PerMille(p_.MonsterBlindPerMille);
        bool planned = false;
        move = Choose(seen, planned);
        int32_t delay = wasJumping && planned ? draw_.Between(p_.ChainMinMs, p_.ChainMaxMs)
                                              : draw_.Between(p_.ReactMinMs, p_.ReactMaxMs);
        if (draw_.PerMille(p_.LatePerMille)) delay += draw_.Between(p_.LateMinMs, p_.LateMaxMs);
        if (move < 0) delay = std::min(delay, 100);  // waiting: look again soon
        pressAt = G.LevelTicks + delay;
        wasJumping = false;
      } else if (G.LevelTicks >= pressAt) {
        if (move >= 0) {
          const bool slip = draw_.PerMille(p_.WrongKeyPerMille);
          if (slip) move = (move + draw_.Between(1, 3)) % 4;
          if (!slip && HoldsBack(move)) {
            if (trace_) trace_(std::to_string(G.LevelTicks) + " ms  holds back");
          } else {
            if (trace_) Trace(seen, move, slip);
            session_.Jump(Moves[move][0], Moves[move][1]);
            ++t.Hops;
          }
        }
        pressAt = -1;
      }
    } else {
      wasJumping = true;
      pressAt = -1;
    }
    session_.Frame(frame);
    ++t.Frames;
  }
  if (trace_) {
    char line[160];
    std::snprintf(line, sizeof line, "%6d ms  %s  time left %d s, energy %d, score %d",
                  G.LevelTicks, LossName(t.Loss), G.TimeLeft, Dragon ? Dragon->Energy : 0, G.Score);
    trace_(line);
  }
  t.TimeLeft = G.TimeLeft;
  t.Score = G.Score;
  t.Energy = Dragon ? Dragon->Energy : 0;
  return t;
}

}  // namespace

THumanTry PlayLikeHuman(const TBotOptions& options, const THumanProfile& profile) {
  return PlayLikeHuman(options, profile, nullptr, false);
}

THumanTry PlayLikeHuman(const TBotOptions& options, const THumanProfile& profile,
                        const std::function<void(const std::string&)>& trace, bool pictures) {
  TPlayer player(options, profile, trace, pictures);
  return player.Play();
}
