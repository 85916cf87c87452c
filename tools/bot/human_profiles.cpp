// The human-like player's named profiles: the numbers that make a first-time, a casual and a
// skilled player, each with its reason.
#include "tools/bot/human_player.h"

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
  first.GrowingTrustMs = 2500;       // "big and green: safe", not yet knowing how long pads rest
  first.FullTrustMs = 2500;          // a pad at rest looks as safe as ever
  first.WatchesPads = false;         // judges a pad when it looks at it, forgets when it stopped
  first.SafetyMarginMs = 150;        // leaves late: does not yet feel how fast pads go down
  first.SizeErrorPercent = 25;       // sizes judged roughly
  first.MonsterRange = 1;            // won't stand beside a monster
  first.MonsterPassRange = 1;        // nor hop past one
  first.HoldBackMs = 0;              // a press once decided goes
  first.MonsterBlindPerMille = 250;  // watches its own pad more than the monsters
  first.WrongKeyPerMille = 20;       // one press in 50 goes the wrong way
  first.LatePerMille = 120, first.LateMinMs = 250, first.LateMaxMs = 700;  // hesitates often
  first.HungryBelow = 25;       // eats when the game warns, not before
  first.HurryBelowSeconds = 5;  // notices the clock late

  THumanProfile casual;
  casual.Name = "casual";
  casual.ReactMinMs = 250, casual.ReactMaxMs = 380;  // the middle of the human range
  casual.ChainMinMs = 150, casual.ChainMaxMs = 260;  // a second hop follows the first quickly
  casual.PlanHops = 2;                               // the next pad and the one after
  casual.GrowingTrustMs = 2200;  // has seen a few pads rise and rest, trusts them a little less
  casual.FullTrustMs = 2500;
  casual.WatchesPads = true;    // notices how long a pad has rested
  casual.SafetyMarginMs = 200;  // a fifth of a second spare before a pad goes
  casual.SizeErrorPercent = 15;
  casual.MonsterRange = 1;      // never beside a monster...
  casual.MonsterPassRange = 1;  // ...not even on the way past
  casual.HoldBackMs = 250;      // stops a press when the pad vanishes or a monster comes in time
  casual.MonsterBlindPerMille = 100;  // one look in ten is all on the pads
  casual.WrongKeyPerMille = 8;        // about one slip a level
  casual.LatePerMille = 60, casual.LateMinMs = 200, casual.LateMaxMs = 600;  // now and then
  casual.HungryBelow = 40;        // eats a little before the warning
  casual.HurryBelowSeconds = 10;  // runs for the diamond in the last ten seconds

  THumanProfile skilled;
  skilled.Name = "skilled";
  skilled.ReactMinMs = 200, skilled.ReactMaxMs = 300;  // the quick end of the human range
  skilled.ChainMinMs = 90, skilled.ChainMaxMs = 160;   // strings hops together
  skilled.PlanHops = 3;                                // a short route across the pond
  skilled.GrowingTrustMs = 2000;  // knows a full pad starts to sink before long
  skilled.FullTrustMs = 2000;
  skilled.WatchesPads = true;
  skilled.SafetyMarginMs = 250;  // leaves a sinking pad in good time
  skilled.SizeErrorPercent = 8;  // reads the pads well
  skilled.MonsterRange = 1;
  skilled.MonsterPassRange = 1;       // a monster hops to where the Dragon lands: never pass one
  skilled.HoldBackMs = 200;           // the quickest stop of a movement under way
  skilled.MonsterBlindPerMille = 30;  // rarely loses sight of a monster
  skilled.WrongKeyPerMille = 3;       // a slip every few levels
  skilled.LatePerMille = 30, skilled.LateMinMs = 150, skilled.LateMaxMs = 400;
  skilled.HungryBelow = 60;        // eats before the warning
  skilled.HurryBelowSeconds = 15;  // leaves time for the way to the diamond
  return {first, casual, skilled};
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
    case TLoss::None:
      return "won";
    case TLoss::Drowned:
      return "drowned";
    case TLoss::Eaten:
      return "eaten";
    case TLoss::Starved:
      return "starved";
    case TLoss::Time:
      return "time";
  }
  return "?";
}
