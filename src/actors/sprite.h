#pragma once
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "pixels/rect.h"

class TSpriteEngine;

// Raised by Child on a sprite that has no children.
class ESpriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Raised by Child for an index outside the child list.
class EListError : public std::out_of_range {
 public:
  using std::out_of_range::out_of_range;
};

// Base of everything in the sprite tree. A sprite is created with `new` under its parent and
// belongs to it from then on: destroying a sprite destroys its children. Actors never delete
// themselves; they call Kill and the engine's SweepDead destroys them.
class TSprite {
 public:
  // Adds the sprite to parent (none for the root), placed in the parent's draw order by z.
  explicit TSprite(TSprite* parent, int32_t z = 0);
  virtual ~TSprite();
  TSprite& operator=(const TSprite&) = delete;

  // A copy of this sprite alone (not its children) under parent, or, with no parent, in no
  // tree; null for a sprite that can't be copied. Saving a whole game (the player bot) uses it.
  virtual TSprite* Clone(TSprite* parent) const;

  // Called on the sprite running a collision test, once per sprite hit; setting done ends it.
  virtual void HandleCollision(TSprite* other, bool& done);
  virtual void DrawSelf();
  // moveCount is the frame's elapsed time in milliseconds.
  virtual void MoveSelf(int32_t moveCount);
  // (X, Y, X + Width, Y + Height), right and bottom exclusive.
  virtual TRect GetRect() const;
  virtual bool AcceptsCollision(TSprite* other);

  int ChildCount() const { return static_cast<int>(children_.size()); }
  // The i-th child in creation order.
  TSprite* Child(int i) const;
  // Destroys every child, the last one first.
  void ClearChildren();
  // Marks the sprite for removal at the engine's next SweepDead.
  void Kill();
  // Moves this sprite and its subtree (nothing at all while CanMove is false).
  void Move(int32_t moveCount);
  // Draws this sprite and its subtree (nothing at all while Visible is false).
  void Draw();
  // Tests this sprite against the whole tree; returns the number of hits.
  int32_t Collide();

  // The children in creation order, and the same children in drawing order.
  const std::vector<TSprite*>& Children() const { return children_; }
  const std::vector<TSprite*>& DrawOrder() const { return drawOrder_; }

  TSpriteEngine* Engine = nullptr;  // none for the root
  TSprite* Parent = nullptr;        // none for the root
  bool IsDead = false;
  bool CanCollide = true;
  bool CanMove = true;
  bool Visible = true;
  int32_t X = 0, Y = 0;
  int32_t Z = 0;  // read only when the sprite joins its parent
  int32_t Width = 0, Height = 0;

 protected:
  // Copies the sprite's own fields; the copy is in no tree until Attach.
  TSprite(const TSprite& other);
  // Puts a copy made by the copy constructor under parent (none: it stays alone); a copy of a
  // dead sprite is marked dead there again.
  void Attach(TSprite* parent);
  template <class T>
  static TSprite* CloneAs(const T& self, TSprite* parent) {
    T* copy = new T(self);
    copy->Attach(parent);
    return copy;
  }

 private:
  void AddChild(TSprite* child);
  void RemoveChild(TSprite* child);
  void Visit(TSprite* candidate);

  // Both lists hold memory only while there is at least one child.
  std::vector<TSprite*> children_;
  std::vector<TSprite*> drawOrder_;
};

// Rectangles that only touch do not overlap; an empty rectangle still overlaps one that
// strictly contains its corner.
constexpr bool SpriteRectsOverlap(const TRect& a, const TRect& b) {
  return a.Left < b.Right && a.Right > b.Left && a.Top < b.Bottom && a.Bottom > b.Top;
}
