// Food and the diamond.
#include <array>
#include <string>

#include "actors/actor_images.h"
#include "actors/dragon.h"
#include "actors/food.h"
#include "actors/monsters.h"
#include "actors/pond.h"
#include "actors/score.h"
#include "core/globals.h"
#include "core/random.h"
#include "media/image_item.h"

namespace {

// Pictures of each food group, "<group>_1" .. "<group>_<n>".
constexpr std::array<uint32_t, 5> FoodPictures{20, 15, 16, 6, 4};

}  // namespace

TPrize::TPrize(int32_t column, int32_t row, uint8_t kind) : TPadItem(column, row), PrizeKind(kind) {
  // A kind beyond the five food groups is eaten as the last group.
  if (PrizeKind > 5) PrizeKind = 5;
  if (PrizeKind == 0) {
    Show(ActorImage("Prize"));
  } else {
    const uint32_t pick = Random(FoodPictures[PrizeKind - 1]) + 1;
    const std::string name = std::to_string(PrizeKind) + "_" + std::to_string(pick);
    Show(FoodImage(name.c_str()));
  }
}

void TPrize::MoveSelf(int32_t moveCount) {
  const TPad& p = PadOf(Column, Row);
  if (p.Kind != pkIsland) {
    if (PrizeKind == 0 && p.Size < 10) Remove();
    if (!p.Growing && p.Size < 20) Remove();
  }
  TPadItem::MoveSelf(moveCount);
  Collide();
}

void TPrize::HandleCollision(TSprite* other, bool& done) {
  if (auto* dragon = dynamic_cast<TDragon*>(other)) {
    if (dragon->JumpStart != 0) return;
    if (G.GameState != gsPlaying && G.GameState != gsDemo) return;
    done = true;
    Remove();
    if (PrizeKind == 0) {
      G.GameState = gsLevelDone;
      AddScore(DiamondPoints(G.TimeLeft, G.Difficulty, G.LevelNo, dragon->Energy));
    } else {
      EatFood(PrizeKind);
    }
    return;
  }
  if (PrizeKind != 0 && dynamic_cast<TGreenMonster*>(other)) {
    done = true;
    Remove();  // the green monster eats it; nobody scores
  }
}
