// NOT YET BUILT: the effects these reset do not exist yet. Each function leaves this file when
// the effects arrive.
#include "game/level_hooks.h"

void StopFallingCaption() {}
void ResetScorePopups() {}
