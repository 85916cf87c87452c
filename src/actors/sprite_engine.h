#pragma once
#include <memory>
#include <vector>

#include "actors/sprite.h"
#include "pixels/surface.h"

// The root of the sprite tree and the state the tree shares.
class TSpriteEngine : public TSprite {
 public:
  TSpriteEngine();
  ~TSpriteEngine() override;

  // Destroys every sprite marked dead, the last marked first.
  void SweepDead();
  // Draws the whole tree and counts the sprites drawn.
  void DrawAll();
  // Binds the surface sprites draw on (or none); the root takes the surface's size.
  void SetSurface(TSurface* surface);

  int32_t SpriteCount = 0;
  int32_t HitCount = 0;
  bool HitDone = false;
  TRect HitRect;
  TSprite* Hitter = nullptr;
  std::vector<TSprite*> DeadList;
  int32_t DrawnCount = 0;
  TSurface* Surface = nullptr;
  TRect SurfaceRect;
};

// The game window's sprite engine: owns the root and follows the display's drawing surface.
class TDXSpriteEngine {
 public:
  TDXSpriteEngine() : Engine(std::make_unique<TSpriteEngine>()) {}

  void Move(int32_t moveCount) { Engine->Move(moveCount); }
  void SweepDead() { Engine->SweepDead(); }
  // Draws the tree while the display has a drawing surface.
  void Draw() {
    if (Engine->Surface) Engine->DrawAll();
  }

  // The display's notifications: its surface was created or re-created, or released.
  void SurfaceCreated(TSurface& surface) { Engine->SetSurface(&surface); }
  void SurfaceReleased() { Engine->SetSurface(nullptr); }
  TSurface* Surface() const { return Engine->Surface; }

  std::unique_ptr<TSpriteEngine> Engine;
};
