#pragma once
#include <cstdint>
#include <string>

class ISystemFont;
class TBitmapFont;
class TSurface;

// The launcher's lettering: Liberation Sans (regular and bold) through SDL2_ttf, or the game's
// own bitmap font when no system font can be had.
class TLauncherText {
 public:
  TLauncherText();

  bool UsesSystemFont() const { return regular_ != nullptr; }
  int32_t Width(const std::string& text, bool bold = false) const;
  int32_t Height() const;
  // Draws a line with its top-left corner at (x, y) in colour 0x00BBGGRR (the bitmap font keeps
  // its own colours).
  void Draw(TSurface& dest, int32_t x, int32_t y, const std::string& text, uint32_t colour,
            bool bold = false) const;

 private:
  ISystemFont* regular_ = nullptr;
  ISystemFont* bold_ = nullptr;
  TBitmapFont* fallback_ = nullptr;
};
