#include "tools/bot/game_snapshot.h"

#include <stdexcept>

#include "actors/dragon.h"
#include "actors/sprite_tree.h"
#include "core/random.h"

TGameSnapshot::TGameSnapshot(TVirtualClock& clock)
    : clock_(clock), globals_(G), randomState_(RandomState), now_(clock.Now()) {
  if (Effects().Transition) throw std::logic_error("a snapshot is taken only during play");
  falling_ = Effects().Falling;
  popups_ = Effects().ScorePopups;
  for (TSprite* s : SpriteRoot().Children()) {
    if (s->ChildCount() > 0) throw std::logic_error("a sprite with children can't be saved");
    TSprite* copy = s->Clone(nullptr);
    if (!copy) throw std::logic_error("a sprite that can't be copied");
    sprites_.emplace_back(copy);
  }
}

void TGameSnapshot::Restore() const {
  ClearAllSprites();  // before the globals: a destroyed sprite may still touch them
  G = globals_;
  RandomState = randomState_;
  clock_.Set(now_);
  Effects().Transition.reset();  // saved in play, when no caption zooms
  Effects().Falling = falling_;
  Effects().ScorePopups = popups_;
  Dragon = nullptr;
  for (const auto& s : sprites_) {
    TSprite* copy = s->Clone(&SpriteRoot());
    if (auto* d = dynamic_cast<TDragon*>(copy)) Dragon = d;
  }
}
