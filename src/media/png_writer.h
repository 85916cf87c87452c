#pragma once
#include <string>

#include "pixels/surface.h"

// Writes a surface as a 24-bit PNG file; false when the file can't be written.
bool WritePng(const TSurface& surface, const std::string& fileName);
