#include "actors/actor_images.h"

#include "game/main_form.h"

TPictureCollectionItem* ActorImage(const char* name) {
  return MainForm ? &MainForm->ImageList.Find(name) : nullptr;
}

TPictureCollectionItem* FoodImage(const char* name) {
  return MainForm ? &MainForm->FoodImg.Find(name) : nullptr;
}
