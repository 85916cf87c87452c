#include "actors/dragon.h"

TDragon* Dragon = nullptr;
