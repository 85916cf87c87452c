#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/bot/bot_search.h"

// How a person plays: what they see, how fast they answer it and how often they slip. The
// three named profiles differ by these numbers only; each number says why it is what it is.
struct THumanProfile {
  std::string Name;
  // The time from seeing something to pressing a key, drawn evenly from this range for every
  // decision (ms). Simple reaction times of people at a screen lie around 200-300 ms; choosing
  // one of four keys while watching a moving pond adds to that.
  int32_t ReactMinMs = 250, ReactMaxMs = 400;
  // A hop that goes on with a route already planned needs no fresh look: the next key follows
  // the landing after this much (ms), drawn from ChainMinMs to ChainMaxMs.
  int32_t ChainMinMs = 120, ChainMaxMs = 220;
  // Hops looked ahead when choosing a way: a beginner sees the next pad, a practised player a
  // short route across the pond.
  int32_t PlanHops = 2;
  // How long a growing pad is believed to carry the Dragon (ms): what "that pad is big and
  // growing: safe for a while" means to this player.
  int32_t GrowingTrustMs = 2000;
  // How long a pad that has stopped growing is believed to stay up (ms), counted from when the
  // player saw it stop, or from now for a player who does not keep an eye on the pads.
  int32_t FullTrustMs = 2500;
  bool WatchesPads = true;
  // A pad seen sinking is used only if it is judged to last this long after the landing (ms):
  // the margin a player keeps before a pad goes under.
  int32_t SafetyMarginMs = 300;
  // How far off the player's reading of a pad's size can be (percent, either way).
  int32_t SizeErrorPercent = 15;
  // Cells around a monster (or where one is coming down) not to stand on, and not to hop
  // through on the way on (Manhattan distance; a monster hops one cell onto a Dragon beside it).
  int32_t MonsterRange = 1;
  int32_t MonsterPassRange = 1;
  // Chance in a thousand that a decision overlooks the monsters (attention is on the pads).
  int32_t MonsterBlindPerMille = 100;
  // A key about to be pressed is held back when what was seen this long before the press (ms)
  // shows its pad gone or a monster beside it: the time a person needs to stop a movement
  // already on its way (about 200-250 ms). 0: never held back.
  int32_t HoldBackMs = 250;
  // Chance in a thousand that a key press goes the wrong way (a slip of the finger).
  int32_t WrongKeyPerMille = 20;
  // Chance in a thousand that a press comes late (hesitation), and how much later (ms).
  int32_t LatePerMille = 100;
  int32_t LateMinMs = 200, LateMaxMs = 600;
  // Energy under which the player goes for food first (the game's warning comes under 25).
  int32_t HungryBelow = 40;
  // Seconds left on the clock under which the player stops eating for points and only runs for
  // the diamond.
  int32_t HurryBelowSeconds = 10;
};

// The named profiles: "first-time", "casual", "skilled", from the weakest on.
const std::vector<THumanProfile>& HumanProfiles();
// The profile of that name; null when there is none.
const THumanProfile* FindHumanProfile(const std::string& name);

// How a try ended (the game's own reasons for a lost life, and the clock).
enum class TLoss : int32_t { None = 0, Drowned, Eaten, Starved, Time };
constexpr int32_t LossKinds = 5;
// "won", "drowned", "eaten", "starved", "time".
const char* LossName(TLoss loss);

// One try of the human-like player.
struct THumanTry {
  bool Won = false;
  TLoss Loss = TLoss::None;
  int32_t TimeLeft = 0;  // seconds left on the level's countdown at the end
  int32_t Energy = 0;    // the Dragon's energy at the end
  int32_t Score = 0;
  int64_t Frames = 0;  // frames played
  int32_t Hops = 0;    // keys pressed
};

// One try at options.Level at options.Difficulty of options.Levels (a single record stands for a
// set of 15 copies of it; empty: the game folder's level file), from the level's start until the
// diamond is caught or the first life is lost. The player sees only what the screen shows: the
// pads' sizes now and a moment ago, the monsters, the food and bonuses, the energy and the clock.
// options.Seed seeds both the game and the player's own random draws, so a try repeats exactly.
// options.FrameMs is the frame length; the other options are the perfect bot's.
THumanTry PlayLikeHuman(const TBotOptions& options, const THumanProfile& profile);
// The same, telling trace (when set) of every key pressed and of the end, a line each: the
// level time, the Dragon's cell, the key and what the player saw of the pad it hops to. With
// pictures the pond is drawn too (the try is the same), so that trace can look at the screen.
THumanTry PlayLikeHuman(const TBotOptions& options, const THumanProfile& profile,
                        const std::function<void(const std::string&)>& trace,
                        bool pictures = false);
