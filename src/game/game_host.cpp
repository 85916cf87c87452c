// The game as the actors' host: the game window's pictures and display, and the level and the
// demos that the Dragon's last fall leads to.
#include "actors/actor_host.h"
#include "game/demo.h"
#include "game/level.h"
#include "game/main_form.h"

namespace {

class TGameHost final : public IActorHost {
 public:
  TPictureCollectionItem* Picture(const char* name) override {
    return MainForm ? &MainForm->ImageList.Find(name) : nullptr;
  }
  TPictureCollectionItem* FoodPicture(const char* name) override {
    return MainForm ? &MainForm->FoodImg.Find(name) : nullptr;
  }
  TSurface* DisplaySurface() override { return MainForm ? &MainForm->DXDraw.Surface() : nullptr; }
  void RebuildLevel() override { LoadLevel(); }
  void NextDemo() override { StartDemo(); }
};

TGameHost host;

}  // namespace

IActorHost& ActorHost = host;
