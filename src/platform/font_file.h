#pragma once
#include <string>

// The font file that stands for `family` in regular or bold; "" when there is none.
std::string FindFontFile(const std::string& family, bool bold);
// Lets go of what finding fonts kept (fontconfig's configuration on Linux).
void ReleaseFontFinder();
