#pragma once
#include <string>

// Names are kept as typed, one byte a character in the Windows-1252 code page (as the
// high-score file stores them); UTF-8 is used only to read typed text and to draw.

// The characters of UTF-8 text that Windows-1252 has, one byte each; others are dropped, and
// so are broken sequences.
std::string Cp1252FromUtf8(const std::string& utf8);
// Windows-1252 bytes as UTF-8; the five bytes the code page leaves undefined become '?'.
std::string Utf8FromCp1252(const std::string& bytes);
