#pragma once

class TPictureCollectionItem;

// The game window's pictures by name, for the actors: an item of ImageList or of FoodImg.
// Null while no game window exists (some tests build actors without one); raises
// EImageNotFound for a name the catalogue lacks.
TPictureCollectionItem* ActorImage(const char* name);
TPictureCollectionItem* FoodImage(const char* name);
