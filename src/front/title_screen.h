#pragma once
#include <memory>

#include "front/my_menu.h"

// The title menu, made by BuildMenu on the first title frame (null before).
extern std::unique_ptr<TMyMenu> Menu;
