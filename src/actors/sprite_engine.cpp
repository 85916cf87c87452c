#include "actors/sprite_engine.h"

TSpriteEngine::TSpriteEngine() : TSprite(nullptr) {}

// The sprites go while DeadList is still there: each one takes itself off it.
TSpriteEngine::~TSpriteEngine() {
  ClearChildren();
}

void TSpriteEngine::SweepDead() {
  while (!DeadList.empty()) delete DeadList.back();
}

void TSpriteEngine::DrawAll() {
  DrawnCount = 0;
  Draw();
}

void TSpriteEngine::SetSurface(TSurface* surface) {
  Surface = surface;
  if (!surface) return;
  SurfaceRect = surface->ClientRect();
  Width = surface->Width();
  Height = surface->Height();
}
