#include "platform/system_font.h"

// The browser build carries no TrueType fonts: text is drawn in the game's own letters.
ISystemFont* SystemFont(const std::string&, int32_t, bool) {
  return nullptr;
}

void DisableSystemFonts(bool) {}
