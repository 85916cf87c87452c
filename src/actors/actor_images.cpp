#include "actors/actor_images.h"

#include "actors/actor_host.h"

TPictureCollectionItem* ActorImage(const char* name) {
  return ActorHost.Picture(name);
}

TPictureCollectionItem* FoodImage(const char* name) {
  return ActorHost.FoodPicture(name);
}
