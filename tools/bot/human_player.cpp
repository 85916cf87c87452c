#include "tools/bot/human_player.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <deque>
#include <queue>
#include <random>

#include "actors/dragon.h"
#include "actors/effects.h"
#include "core/globals.h"
#include "core/level_set.h"
#include "game/actor_report.h"
#include "game/rules.h"
#include "session/game_session.h"

namespace {

// The profiles. A first-time player answers slowly, reads only the next pad, trusts any big pad
// and slips now and then; a casual player has played a few evenings; a skilled one knows the
// pond's rhythm. Reaction ranges follow measured simple reaction times (about 200-250 ms for a
// practised player at a screen) plus the time to pick one of four keys.
std::vector<THumanProfile> MakeProfiles() {
  THumanProfile first;
  first.Name = "first-time";
  first.ReactMinMs = 300, first.ReactMaxMs = 450;  // slow, still learning which key is which
  first.ChainMinMs = 200, first.ChainMaxMs = 350;  // looks again after nearly every hop
  first.PlanHops = 1;                              // the next pad only
  first.TrustGrowingMs = 2500;        // "big and green: safe" without knowing the hold times
  first.SafetyMarginMs = 150;         // leaves late: does not yet feel how fast pads go down
  first.SizeErrorPercent = 25;        // sizes judged roughly
  first.MonsterRange = 1;             // keeps away only from a monster right beside
  first.MonsterBlindPerMille = 250;   // watches its own pad more than the monsters
  first.WrongKeyPerMille = 40;        // one press in 25 goes the wrong way
  first.LatePerMille = 200, first.LateMinMs = 250, first.LateMaxMs = 800;  // hesitates often
  first.HungryBelow = 25;             // eats when the game warns, not before
  first.HurryBelowSeconds = 5;

  THumanProfile casual;
  casual.Name = "casual";
  casual.ReactMinMs = 250, casual.ReactMaxMs = 380;
  casual.ChainMinMs = 150, casual.ChainMaxMs = 260;
  casual.PlanHops = 2;  // the next pad and the one after
  casual.TrustGrowingMs = 1800;
  casual.SafetyMarginMs = 250;
  casual.SizeErrorPercent = 15;
  casual.MonsterRange = 1;
  casual.MonsterBlindPerMille = 100;
  casual.WrongKeyPerMille = 15;
  casual.LatePerMille = 100, casual.LateMinMs = 200, casual.LateMaxMs = 600;
  casual.HungryBelow = 40;
  casual.HurryBelowSeconds = 10;

  THumanProfile skilled;
  skilled.Name = "skilled";
  skilled.ReactMinMs = 200, skilled.ReactMaxMs = 300;  // the quick end of the human range
  skilled.ChainMinMs = 90, skilled.ChainMaxMs = 160;   // strings hops together
  skilled.PlanHops = 3;                                // a short route across the pond
  skilled.TrustGrowingMs = 1400;  // knows a full pad starts to sink before long
  skilled.SafetyMarginMs = 350;   // leaves a sinking pad in good time
  skilled.SizeErrorPercent = 8;
  skilled.MonsterRange = 1;
  skilled.MonsterBlindPerMille = 30;
  skilled.WrongKeyPerMille = 5;
  skilled.LatePerMille = 40, skilled.LateMinMs = 150, skilled.LateMaxMs = 400;
  skilled.HungryBelow = 60;  // eats before the warning
  skilled.HurryBelowSeconds = 15;
  return {first, casual, skilled};
}

constexpr int32_t HopMs = 250;  // every hop of the game lasts this long
constexpr int32_t LookBackMs = 200;  // how far back the eye compares a pad's size
constexpr int32_t TryLimitMs = 30 * 60 * 1000;  // a level without a clock still ends
constexpr std::array<std::array<int32_t, 2>, 4> Moves{{{-1, 0}, {0, -1}, {1, 0}, {0, 1}}};
constexpr int32_t Unknown = INT_MAX / 4;

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

// What the screen shows of one cell.
struct TSeenPad {
  int32_t Kind = 0;  // as drawn: water, lily pad, island, stepped pad
  int32_t Size = 0;  // as read by eye
  int32_t Trend = 0;  // +1 growing, -1 sinking, 0 still, as seen over the last moments
  bool Known = false;  // the cell has shown a pad at some time of this try
};

// The pond as the player sees it at one moment.
struct TView {
  int32_t Ticks = 0;
  int32_t Cols = 0, Rows = 0;
  std::array<std::array<TSeenPad, 21>, 21> Pads{};
  TActorReport Actors;
  int32_t TimeLeft = 0;
};

class TPlayer {
 public:
  TPlayer(const TBotOptions& o, const THumanProfile& p)
      : o_(o), p_(p), draw_(o.Seed), session_(SessionOptions(o)) {}
  THumanTry Play();

 private:
  static TSessionOptions SessionOptions(const TBotOptions& o) {
    TSessionOptions d;
    d.Data = o.Data;
    d.FrameMs = o.FrameMs;
    d.Seed = o.Seed;
    d.Offscreen = true;
    d.Pictures = false;
    return d;
  }
  void Start();
  void Remember();
  TView Look();
  // How long the pad at (c, r) is believed to carry the Dragon from now (ms).
  int32_t Lasts(const TView& v, int32_t c, int32_t r) const;
  bool NearMonster(const TView& v, int32_t c, int32_t r) const;
  // The first move of the best route from the Dragon's cell, or -1 to stay.
  int32_t Choose(const TView& v, bool& planned);
  // Hops from every cell to the goal over cells known to hold pads.
  void GoalDistances(const TView& v, std::array<std::array<int32_t, 21>, 21>& d) const;
  double Route(const TView& v, int32_t c, int32_t r, int32_t depth, int32_t atMs,
               const std::array<std::array<int32_t, 21>, 21>& goal) const;

  TBotOptions o_;
  THumanProfile p_;
  TDraw draw_;
  TGameSession session_;
  // Sizes of the last frames, to tell growing pads from sinking ones as the eye does.
  std::deque<std::pair<int32_t, std::array<std::array<uint16_t, 21>, 21>>> past_;
  std::array<std::array<bool, 21>, 21> known_{};
  bool blind_ = false;  // this decision overlooks the monsters
  int32_t planned_ = -1;  // the next move of the route chosen last, -1 none
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
  past_.push_back({G.LevelTicks, sizes});
  while (past_.size() > 2 && G.LevelTicks - past_[1].first >= LookBackMs) past_.pop_front();
}

TView TPlayer::Look() {
  TView v;
  v.Ticks = G.LevelTicks;
  v.Cols = std::min<int32_t>(G.GridCols, 20);
  v.Rows = std::min<int32_t>(G.GridRows, 20);
  v.Actors = DescribeActors();
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
    }
  return v;
}

int32_t TPlayer::Lasts(const TView& v, int32_t c, int32_t r) const {
  const TSeenPad& s = v.Pads[c][r];
  if (s.Size <= 0 || s.Kind == pkWater) return 0;
  if (s.Kind == pkIsland) return v.TimeLeft > 0 ? Unknown : 0;
  if (s.Trend >= 0) return p_.TrustGrowingMs;
  // Sinking: the eye judges how fast from the last moments. A pad goes under at size 10.
  const int32_t then = past_.front().second[c][r];
  const int32_t fell = std::max(1, then - G.Pads[c][r].Size);
  const int32_t span = std::max(1, v.Ticks - past_.front().first);
  return std::max(0, (s.Size - 10) * span / fell);
}

bool TPlayer::NearMonster(const TView& v, int32_t c, int32_t r) const {
  if (blind_) return false;
  for (const auto& m : v.Actors.Monsters)
    if (std::abs(m[1] - c) + std::abs(m[2] - r) <= p_.MonsterRange) return true;
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
  if (hungry && !hurry) seed("food");
  if (q.empty()) seed("diamond");
  if (q.empty()) seed("food");  // nothing else to do while the diamond is away
  if (q.empty()) {
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

// The value of standing on (c, r) atMs from now with depth more hops to plan: higher is better.
double TPlayer::Route(const TView& v, int32_t c, int32_t r, int32_t depth, int32_t atMs,
                      const std::array<std::array<int32_t, 21>, 21>& goal) const {
  const int32_t g = goal[c][r];
  double best = -1.0 * std::min(g, 60);
  if (g == 0 || depth == 0) return best;
  const int32_t step = (p_.ChainMinMs + p_.ChainMaxMs) / 2 + HopMs;
  for (const auto& m : Moves) {
    const int32_t nc = c + m[0], nr = r + m[1];
    if (nc < 1 || nr < 1 || nc > v.Cols || nr > v.Rows) continue;
    if (Lasts(v, nc, nr) < atMs + step + p_.SafetyMarginMs) continue;
    if (NearMonster(v, nc, nr)) continue;
    best = std::max(best, Route(v, nc, nr, depth - 1, atMs + step, goal));
  }
  return best;
}

int32_t TPlayer::Choose(const TView& v, bool& planned) {
  std::array<std::array<int32_t, 21>, 21> goal;
  GoalDistances(v, goal);
  const int32_t c = v.Actors.DragonColumn, r = v.Actors.DragonRow;
  const int32_t react = (p_.ReactMinMs + p_.ReactMaxMs) / 2;
  // Staying: fine while the pad holds and no monster is beside.
  const bool stayOk = Lasts(v, c, r) >= react + HopMs + p_.SafetyMarginMs && !NearMonster(v, c, r);
  double bestValue = stayOk ? Route(v, c, r, 0, 0, goal) - 0.5 : -1e9;
  int32_t best = -1;
  for (int32_t move = 0; move < 4; ++move) {
    const int32_t nc = c + Moves[move][0], nr = r + Moves[move][1];
    if (nc < 1 || nr < 1 || nc > v.Cols || nr > v.Rows) continue;
    const int32_t lasts = Lasts(v, nc, nr);
    if (lasts < react + HopMs + p_.SafetyMarginMs) continue;
    double value = Route(v, nc, nr, p_.PlanHops - 1, react + HopMs, goal);
    if (NearMonster(v, nc, nr)) value -= 100;  // only when nothing else is left
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
      const int32_t lasts = Lasts(v, nc, nr) - (NearMonster(v, nc, nr) ? 1000 : 0);
      if (lasts > longest) longest = lasts, best = move;
    }
  }
  planned = best >= 0 && best == planned_;
  planned_ = best;
  return best;
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
        case 0: t.Loss = TLoss::Eaten; break;
        case 1: t.Loss = TLoss::Drowned; break;
        case 3: t.Loss = TLoss::Starved; break;
        default: t.Loss = TLoss::Time; break;
      }
      break;
    }
    if (G.TimeLeft <= 0 || G.LevelTicks > TryLimitMs) {
      t.Loss = TLoss::Time;
      break;
    }
    const bool jumping = Dragon->JumpStart != 0;
    if (!jumping) {
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
          if (draw_.PerMille(p_.WrongKeyPerMille)) move = (move + draw_.Between(1, 3)) % 4;
          session_.Jump(Moves[move][0], Moves[move][1]);
          ++t.Hops;
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
  t.TimeLeft = G.TimeLeft;
  t.Score = G.Score;
  t.Energy = Dragon ? Dragon->Energy : 0;
  return t;
}

}  // namespace

const std::vector<THumanProfile>& HumanProfiles() {
  static const std::vector<THumanProfile> profiles = MakeProfiles();
  return profiles;
}

const THumanProfile* FindHumanProfile(const std::string& name) {
  for (const THumanProfile& p : HumanProfiles())
    if (p.Name == name) return &p;
  return nullptr;
}

const char* LossName(TLoss loss) {
  switch (loss) {
    case TLoss::None: return "won";
    case TLoss::Drowned: return "drowned";
    case TLoss::Eaten: return "eaten";
    case TLoss::Starved: return "starved";
    case TLoss::Time: return "time";
  }
  return "?";
}

THumanTry PlayLikeHuman(const TBotOptions& options, const THumanProfile& profile) {
  TPlayer player(options, profile);
  return player.Play();
}
