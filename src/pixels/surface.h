#pragma once
#include <cstdint>
#include <vector>

#include "pixels/damage.h"
#include "pixels/rect.h"

// Pixel layouts the drawing code handles.
struct TPixelFormat {
  int BitCount = 32;  // 16, 24 or 32
  uint32_t RMask = 0xFF0000, GMask = 0x00FF00, BMask = 0x0000FF;

  static TPixelFormat XRGB8888() { return {32, 0xFF0000, 0x00FF00, 0x0000FF}; }
  static TPixelFormat RGB888() { return {24, 0xFF0000, 0x00FF00, 0x0000FF}; }
  static TPixelFormat RGB565() { return {16, 0xF800, 0x07E0, 0x001F}; }
  static TPixelFormat RGB555() { return {16, 0x7C00, 0x03E0, 0x001F}; }
  static TPixelFormat ForDepth(int bits);  // 16 means 5-6-5
  int BytesPerPixel() const { return BitCount / 8; }
  bool Is565() const { return BitCount == 16 && GMask == 0x07E0; }
  bool operator==(const TPixelFormat&) const = default;
};

// Turns red, green and blue (0..255) into a pixel value of the given format.
uint32_t ToSurfaceColor(const TPixelFormat& f, uint8_t r, uint8_t g, uint8_t b);
// A colour value 0x00BBGGRR (red in the low byte) as a pixel value.
uint32_t ColorToPixel(const TPixelFormat& f, uint32_t colorBGR);
// A pixel value back to 0x00BBGGRR, each channel widened to 8 bits.
uint32_t PixelToColor(const TPixelFormat& f, uint32_t pixel);

// A software drawing surface: the display's back buffer, pictures and their patterns.
class TSurface {
 public:
  TSurface() = default;
  TSurface(int width, int height, const TPixelFormat& format = TPixelFormat::XRGB8888());

  void Resize(int width, int height, const TPixelFormat& format);
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Pitch() const { return pitch_; }  // bytes per row
  const TPixelFormat& Format() const { return format_; }
  TRect ClientRect() const { return {0, 0, width_, height_}; }
  bool IsEmpty() const { return width_ <= 0 || height_ <= 0; }

  uint8_t* Pixels() { return pixels_.data(); }
  const uint8_t* Pixels() const { return pixels_.data(); }
  uint8_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * pitch_; }
  const uint8_t* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * pitch_; }

  // Pixel access with the surface's own pixel values; reads outside give 0, writes are dropped.
  uint32_t GetPixel(int x, int y) const;
  void SetPixel(int x, int y, uint32_t pixel);

  void Fill(uint32_t pixel);
  void FillRect(const TRect& r, uint32_t pixel);  // clipped to the surface

  // Copies a rectangle of src to (x, y), clipped; with a colour key, pixels equal to key are
  // skipped. Both surfaces must share one pixel format.
  void CopyFrom(int x, int y, const TSurface& src, const TRect& srcRect);
  void CopyFromKeyed(int x, int y, const TSurface& src, const TRect& srcRect, uint32_t key);

  // The same picture in another pixel format.
  TSurface Converted(const TPixelFormat& f) const;

  // Where drawing on this surface is recorded: every drawing routine adds the rectangle it may
  // have changed (clipped to the surface) to damage; nullptr records nothing. The link belongs
  // to this object, not to its pixels: a copy of the surface is not watched, and assigning
  // another surface to this one keeps it watched.
  void Watch(TDamage* damage) { damage_.P = damage; }
  TDamage* Watched() const { return damage_.P; }
  // Records that r may have changed; routines that write pixels through Row or Pixels call it.
  void Touch(const TRect& r) {
    if (damage_.P) damage_.P->Add(Intersect(r, ClientRect()));
  }

 private:
  struct TLink {
    TDamage* P = nullptr;
    TLink() = default;
    TLink(const TLink&) {}
    TLink& operator=(const TLink&) { return *this; }
  };
  TLink damage_;
  int width_ = 0, height_ = 0, pitch_ = 0;
  TPixelFormat format_;
  std::vector<uint8_t> pixels_;
};
