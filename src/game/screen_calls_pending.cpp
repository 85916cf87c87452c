// Entry points of screens and actors that are still being built. Each does nothing yet; it
// leaves this file when its screen or actor arrives.
#include "game/screen_calls.h"

void DemoStep() {}
void StartDemo() {}
void EndDemo() {}
