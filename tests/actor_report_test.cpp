// The headless driver's account of the pond, read off the sprite tree.
#include "game/actor_report.h"

#include <string>
#include <tuple>
#include <vector>

#include "actors/food.h"
#include "actors/monsters.h"
#include "support/pond.h"

namespace {

using ActorReportTest = PondTest;

TEST_F(ActorReportTest, ListsMonstersAndItemsButNotWhatIsGone) {
  Pond(6, 3);
  PutDragon(1, 3);
  new TRedMonster(6, 1);
  new TGreenMonster(5, 1);
  new TShaggyMonster(4, 1);
  new TPrize(1, 1, 2);
  new TPrize(2, 1, 0);
  new TMegaPrize(3, 1);
  new TBonusUp(3, 2);
  new TTimeBonus(4, 2);
  new TStableBonus(5, 2);
  new TLifeBonus(6, 2);
  (new TPrize(2, 2, 1))->Remove();
  const TActorReport r = DescribeActors();
  EXPECT_EQ(r.Monsters, (std::vector<std::array<int32_t, 3>>{{1, 6, 1}, {2, 5, 1}, {3, 4, 1}}));
  std::vector<std::tuple<std::string, int, int>> items;
  for (const TItemReport& i : r.Items) items.push_back({i.Kind, i.Column, i.Row});
  EXPECT_EQ(items, (std::vector<std::tuple<std::string, int, int>>{{"food", 1, 1},
                                                                   {"diamond", 2, 1},
                                                                   {"MegaPrize", 3, 1},
                                                                   {"ArrowUp", 3, 2},
                                                                   {"SandClock", 4, 2},
                                                                   {"Stars", 5, 2},
                                                                   {"Pulse", 6, 2}}));
}

}  // namespace
