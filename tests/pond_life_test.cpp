// The shipped levels with their monsters and items left to live while pads come and go at
// random: the pads' item counts stay exact and every monster stays on the grid.
#include <random>
#include <string>

#include "actors/food.h"
#include "actors/monsters.h"
#include "core/level_set.h"
#include "core/random.h"
#include "game/level.h"
#include "support/pond.h"

namespace {

using PondLifeTest = PondTest;

TEST_F(PondLifeTest, CountsStayExactAndMonstersStayOnTheGrid) {
  G.ProgramFolder = TARVELLE_BUILD_DIR "/";
  std::mt19937 pads(7);
  for (int level = 1; level <= LevelSetSize; ++level) {
    G.LevelNo = level;
    RandomState = 12345;
    LoadLevel();
    ASSERT_EQ(G.GameState, gsPlaying);
    ASSERT_NE(Dragon, nullptr);
    // The Dragon stands where the level put it, with its picture's size.
    Dragon->Width = Dragon->Height = 42;
    Dragon->X = CellW() * (Dragon->Column - 1) + (CellW() - 42) / 2;
    Dragon->Y = 20 + CellH() * (Dragon->Row - 1) + CellH() / 2 - 42 + 3;
    for (int frame = 0; frame < 400; ++frame) {
      // One pad sinks or comes back, and now and then a bonus drops food everywhere.
      TPad& p = G.Pads[1 + pads() % G.GridCols][1 + pads() % G.GridRows];
      if (p.Kind != pkWater) p.Size = p.Size ? 0 : p.MaxSize;
      if (frame % 100 == 50) new TMegaPrize(Dragon->Column, Dragon->Row);
      Frame(40);

      int counted[21][21] = {};
      for (TSprite* s : SpriteRoot().Children()) {
        if (auto* m = dynamic_cast<TEnemy*>(s)) {
          ASSERT_TRUE(m->Column >= 1 && m->Column <= G.GridCols && m->Row >= 1 &&
                      m->Row <= G.GridRows)
              << "level " << level << " frame " << frame;
        } else if (auto* i = dynamic_cast<TPrize*>(s)) {
          ++counted[i->Column][i->Row];
        } else if (auto* b = dynamic_cast<TBonus*>(s)) {
          ++counted[b->Column][b->Row];
        }
      }
      for (int x = 1; x <= G.GridCols; ++x)
        for (int y = 1; y <= G.GridRows; ++y)
          ASSERT_EQ(G.Pads[x][y].FoodCount, counted[x][y])
              << "level " << level << " frame " << frame << " cell " << x << ", " << y;
    }
  }
}

}  // namespace
