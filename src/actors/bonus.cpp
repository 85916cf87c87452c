// What every bonus shares: a picture on a pad for a while, and the pick-up.
#include <array>

#include "actors/actor_images.h"
#include "actors/dragon.h"
#include "actors/food.h"
#include "actors/pond.h"
#include "core/globals.h"
#include "core/sound.h"
#include "media/image_item.h"

namespace {

// How long a bonus stays, by Difficulty 1 .. 3.
constexpr std::array<int32_t, 3> BonusLifetime{4500, 4000, 3500};

}  // namespace

TBonus::TBonus(int32_t column, int32_t row, const char* imageName)
    : TPadItem(column, row), ImageName(imageName) {
  CreatedAt = G.LevelTicks;
  Lifetime = BonusLifetime[G.Difficulty < 1 ? 0 : G.Difficulty > 3 ? 2 : G.Difficulty - 1];
  Show(ActorImage(imageName));
}

void TBonus::MoveSelf(int32_t moveCount) {
  const TPad& p = PadOf(Column, Row);
  if (G.LevelTicks - CreatedAt > Lifetime) {
    Remove();
  } else if (p.Size == 0 || (!p.Growing && p.Size < 20 && p.Kind != pkIsland)) {
    Remove();
  }
  TPadItem::MoveSelf(moveCount);
  Collide();
}

void TBonus::HandleCollision(TSprite* other, bool& done) {
  auto* dragon = dynamic_cast<TDragon*>(other);
  if (!dragon || dragon->JumpStart != 0) return;
  done = true;
  Remove();
  PlaySound("Collect");
  Effect();
}
