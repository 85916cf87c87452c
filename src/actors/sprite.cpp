#include "actors/sprite.h"

#include <algorithm>
#include <string>

#include "actors/sprite_engine.h"

TSprite::TSprite(TSprite* parent, int32_t z) : Parent(parent), Z(z) {
  if (!parent) return;
  parent->AddChild(this);
  auto* root = dynamic_cast<TSpriteEngine*>(parent);
  Engine = root ? root : parent->Engine;
  if (Engine) ++Engine->SpriteCount;
}

TSprite::TSprite(const TSprite& other)
    : IsDead(other.IsDead),
      CanCollide(other.CanCollide),
      CanMove(other.CanMove),
      Visible(other.Visible),
      X(other.X),
      Y(other.Y),
      Z(other.Z),
      Width(other.Width),
      Height(other.Height) {}

void TSprite::Attach(TSprite* parent) {
  Parent = parent;
  if (!parent) return;
  parent->AddChild(this);
  auto* root = dynamic_cast<TSpriteEngine*>(parent);
  Engine = root ? root : parent->Engine;
  if (Engine) ++Engine->SpriteCount;
  if (IsDead) {
    IsDead = false;
    Kill();
  }
}

TSprite* TSprite::Clone(TSprite*) const {
  return nullptr;
}

TSprite::~TSprite() {
  ClearChildren();
  if (Parent) {
    if (Engine) {
      --Engine->SpriteCount;
      auto& dead = Engine->DeadList;
      // A dead sprite is usually the last one marked, so search from the end.
      auto it = std::find(dead.rbegin(), dead.rend(), this);
      if (it != dead.rend()) dead.erase(std::next(it).base());
    }
    Parent->RemoveChild(this);
  }
}

void TSprite::AddChild(TSprite* child) {
  children_.push_back(child);
  // Bisection: a new sprite goes before every sibling of equal or greater Z.
  int low = 0, high = static_cast<int>(drawOrder_.size()) - 1;
  while (high >= low) {
    const int mid = (low + high) / 2;
    if (drawOrder_[mid]->Z < child->Z)
      low = mid + 1;
    else
      high = mid - 1;
  }
  drawOrder_.insert(drawOrder_.begin() + low, child);
}

void TSprite::RemoveChild(TSprite* child) {
  std::erase(children_, child);
  std::erase(drawOrder_, child);
  if (children_.empty()) {
    // The lists go with the last child.
    std::vector<TSprite*>().swap(children_);
    std::vector<TSprite*>().swap(drawOrder_);
  }
}

void TSprite::HandleCollision(TSprite*, bool&) {}
void TSprite::DrawSelf() {}
void TSprite::MoveSelf(int32_t) {}
TRect TSprite::GetRect() const {
  return {X, Y, X + Width, Y + Height};
}
bool TSprite::AcceptsCollision(TSprite*) {
  return true;
}

TSprite* TSprite::Child(int i) const {
  if (children_.empty())
    throw ESpriteError("Index of the list exceeds the range. (" + std::to_string(i) + ")");
  if (i < 0 || i >= ChildCount())
    throw EListError("List index out of bounds (" + std::to_string(i) + ")");
  return children_[i];
}

void TSprite::ClearChildren() {
  while (!children_.empty()) delete children_.back();
}

void TSprite::Kill() {
  if (!Engine || IsDead) return;
  IsDead = true;
  Engine->DeadList.push_back(this);
}

// The traversals take the child count once, so sprites created during a pass wait for the
// next one; the bound is checked again in case a handler destroyed a sibling.

void TSprite::Move(int32_t moveCount) {
  if (!CanMove) return;
  MoveSelf(moveCount);
  const size_t n = children_.size();
  for (size_t i = 0; i < n && i < children_.size(); ++i) children_[i]->Move(moveCount);
}

void TSprite::Draw() {
  if (!Visible) return;
  if (Engine && SpriteRectsOverlap(GetRect(), Engine->SurfaceRect)) {
    DrawSelf();
    ++Engine->DrawnCount;
  }
  const size_t n = drawOrder_.size();
  for (size_t i = 0; i < n && i < drawOrder_.size(); ++i) drawOrder_[i]->Draw();
}

int32_t TSprite::Collide() {
  if (!Engine || IsDead || !CanCollide) return 0;
  TSpriteEngine& e = *Engine;
  e.HitCount = 0;
  e.HitDone = false;
  e.HitRect = GetRect();
  e.Hitter = this;
  const auto& roots = e.children_;
  const size_t n = roots.size();
  for (size_t i = 0; i < n && i < roots.size() && !e.HitDone; ++i) Visit(roots[i]);
  return e.HitCount;
}

// One step of the collision test run by the engine's Hitter; `this` is that hitter.
void TSprite::Visit(TSprite* t) {
  if (!t->CanCollide) return;
  TSpriteEngine& e = *Engine;
  if (t != this && SpriteRectsOverlap(t->GetRect(), e.HitRect) && AcceptsCollision(t) &&
      t->AcceptsCollision(this)) {
    ++e.HitCount;
    HandleCollision(t, e.HitDone);
    if (!CanCollide || IsDead) e.HitDone = true;
  }
  if (e.HitDone) return;
  const size_t n = t->children_.size();
  for (size_t i = 0; i < n && i < t->children_.size() && !e.HitDone; ++i) Visit(t->children_[i]);
}
