#pragma once

class TPictureCollectionItem;
class TSurface;

// What the actors ask of the game that holds them, for what only the game can do: the game
// window's pictures and display, and what follows the Dragon's last fall. The game fills it in
// (game/game_host.cpp); the actors never include the game's headers.
class IActorHost {
 public:
  virtual ~IActorHost() = default;

  // An item of the game window's ImageList or FoodImg, or null while no game window exists;
  // raises EImageNotFound for a name the catalogue lacks.
  virtual TPictureCollectionItem* Picture(const char* name) = 0;
  virtual TPictureCollectionItem* FoodPicture(const char* name) = 0;
  // The display's drawing surface; null without a game window.
  virtual TSurface* DisplaySurface() = 0;

  // After a life is lost and the Dragon has gone: the level is built again (which destroys the
  // Dragon), or in a demo the next demo starts.
  virtual void RebuildLevel() = 0;
  virtual void NextDemo() = 0;
};

// The game's one host, defined by the game above.
extern IActorHost& ActorHost;
