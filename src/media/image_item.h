#pragma once
#include <cstdint>
#include <string>

#include "media/key_spans.h"
#include "media/sized_pictures.h"
#include "pixels/surface.h"

// Named colours of the catalogue, as colour values 0x00BBGGRR.
constexpr uint32_t clBlack = 0x000000;
constexpr uint32_t clWhite = 0xFFFFFF;
constexpr uint32_t clFuchsia = 0xFF00FF;
constexpr uint32_t clRed = 0x0000FF;

// The surface holding a pattern, and where in it the pattern lies.
struct TPatternSurface {
  const TSurface* Surface = nullptr;
  TRect Rect;
};

// One named picture of an image catalogue, cut into equal patterns (frames) numbered left to
// right, row by row. Its surface is the picture in the display's pixel format; it is rebuilt
// by Restore, and before a draw onto a surface of another format.
class TPictureCollectionItem {
 public:
  explicit TPictureCollectionItem(std::string name) : Name(std::move(name)) {}

  // The picture as decoded (32-bit 0x00RRGGBB pixels); empty for an item without one.
  const TSurface& Picture() const { return picture_; }
  // Gives the item a new picture; its surface shows it from the next Restore or draw.
  void SetPicture(TSurface picture);

  uint32_t TransparentColor() const { return transparentColor_; }
  // Changes the colour key at once.
  void SetTransparentColor(uint32_t color);

  // Pattern size, or the whole picture's where the pattern size is 0.
  int32_t Width() const { return PatternWidth ? PatternWidth : picture_.Width(); }
  int32_t Height() const { return PatternHeight ? PatternHeight : picture_.Height(); }
  int32_t PatternCount() const;
  // Pattern i of the picture; nothing (no surface) for an index outside the patterns.
  TPatternSurface PatternSurface(int i);
  // The colour key as a pixel value of the item's surface.
  uint32_t KeyPixel() const { return keyPixel_; }
  // The surface of the whole picture in format f (pattern surface 0 holds every pattern).
  const TSurface& SurfaceIn(const TPixelFormat& f);

  // Rebuilds the surface from the picture, in the given format or the one it had.
  void Restore(const TPixelFormat& format);
  void Restore() { Restore(format_); }

  // Copies pattern i to (x, y), clipped, with the colour key when Transparent.
  void Draw(TSurface& dest, int x, int y, int pattern);
  // Copies pattern i scaled into destRect (nearest neighbour).
  void StretchDraw(TSurface& dest, const TRect& destRect, int pattern);
  // The bytes of the patterns kept at the sizes they were stretched to.
  size_t SizedBytes() const { return sized_.Bytes(); }
  // Draws pattern i scaled to width x height and turned by angle (1/256 turns, clockwise on
  // screen) about the point (cx * width, cy * height) of the scaled picture, placed on (x, y).
  void DrawRotate(TSurface& dest, int x, int y, int width, int height, int pattern, double cx,
                  double cy, int angle);
  // The same, translucent: opacity 0 or less draws nothing, 255 or more draws opaque.
  void DrawRotateAlpha(TSurface& dest, int x, int y, int width, int height, int pattern, double cx,
                       double cy, int angle, int opacity);

  std::string Name;
  int32_t PatternWidth = 0, PatternHeight = 0;
  bool Transparent = true;
  bool SystemMemory = false;

 private:
  TSurface picture_;
  TSurface surface_;
  TPixelFormat format_;
  bool stale_ = true;
  TKeySpans spans_;       // the opaque runs of surface_, found on the first scaled keyed draw
  TSizedPictures sized_;  // the patterns at the sizes of the scaled keyed draws
  uint32_t transparentColor_ = clBlack;
  uint32_t keyPixel_ = 0;
};

// Draws the inclusive source rectangle (right and bottom the last column and row) of the
// item's pattern surface 0 onto dest at (x, y) with weight level/256, skipping the item's
// colour key.
void BlendImage(TSurface& dest, int x, int y, TPictureCollectionItem& source, TRect srcRect,
                int level);
