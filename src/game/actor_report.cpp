// What lies on the pond, read off the sprite tree.
#include "game/actor_report.h"

#include "actors/dragon.h"
#include "actors/food.h"
#include "actors/monsters.h"
#include "actors/sprite_tree.h"

namespace {

const char* BonusPicture(const TBonus* b) {
  if (dynamic_cast<const TMegaPrize*>(b)) return "MegaPrize";
  if (dynamic_cast<const TBonusUp*>(b)) return "ArrowUp";
  if (dynamic_cast<const TTimeBonus*>(b)) return "SandClock";
  if (dynamic_cast<const TStableBonus*>(b)) return "Stars";
  if (dynamic_cast<const TLifeBonus*>(b)) return "Pulse";
  return "bonus";
}

}  // namespace

TActorReport DescribeActors() {
  TActorReport r;
  TSpriteEngine& root = SpriteRoot();
  r.Sprites = root.SpriteCount;
  if (Dragon) {
    r.HasDragon = true;
    r.DragonColumn = Dragon->Column;
    r.DragonRow = Dragon->Row;
    r.Jumping = Dragon->JumpStart != 0;
    r.Energy = Dragon->Energy;
  }
  for (int32_t i = 0; i < root.ChildCount(); ++i) {
    TSprite* s = root.Child(i);
    if (s->IsDead) continue;
    if (auto* m = dynamic_cast<TEnemy*>(s)) {
      const int32_t kind = dynamic_cast<TRedMonster*>(s)     ? 1
                           : dynamic_cast<TGreenMonster*>(s) ? 2
                                                             : 3;
      r.Monsters.push_back({kind, m->Column, m->Row});
    } else if (auto* p = dynamic_cast<TPrize*>(s)) {
      r.Items.push_back({p->PrizeKind == 0 ? "diamond" : "food", p->Column, p->Row});
    } else if (auto* b = dynamic_cast<TBonus*>(s)) {
      r.Items.push_back({BonusPicture(b), b->Column, b->Row});
    }
  }
  return r;
}
