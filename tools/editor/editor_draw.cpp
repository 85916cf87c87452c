#include "tools/editor/editor_draw.h"

#include "game/text_canvas.h"

namespace editor_draw {

namespace {

uint32_t Pixel(const TSurface& s, uint32_t rgb) {
  return ToSurfaceColor(s.Format(), static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                        static_cast<uint8_t>(rgb));
}

uint32_t Bgr(uint32_t rgb) {
  return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

constexpr const char* FontName = "Arial";
constexpr int32_t FontPoints = 9;

}  // namespace

void Fill(TSurface& s, const TRect& r, uint32_t rgb) {
  s.FillRect(r, Pixel(s, rgb));
}

void Frame(TSurface& s, const TRect& r, uint32_t rgb, int32_t w) {
  Fill(s, {r.Left, r.Top, r.Right, r.Top + w}, rgb);
  Fill(s, {r.Left, r.Bottom - w, r.Right, r.Bottom}, rgb);
  Fill(s, {r.Left, r.Top, r.Left + w, r.Bottom}, rgb);
  Fill(s, {r.Right - w, r.Top, r.Right, r.Bottom}, rgb);
}

void Button(TSurface& s, const TRect& r, bool on) {
  const uint32_t top = on ? 0x6CD05A : 0x3E8EDB, bottom = on ? 0x2F8A36 : 0x1F5FA8;
  const int32_t mid = r.Top + r.Height() / 2;
  // A pill: the corners cut by a pixel or two, the outline navy.
  Fill(s, {r.Left + 2, r.Top, r.Right - 2, r.Bottom}, Navy);
  Fill(s, {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, Navy);
  Fill(s, {r.Left, r.Top + 2, r.Right, r.Bottom - 2}, Navy);
  Fill(s, {r.Left + 2, r.Top + 1, r.Right - 2, mid}, top);
  Fill(s, {r.Left + 1, r.Top + 2, r.Right - 1, mid}, top);
  Fill(s, {r.Left + 2, mid, r.Right - 2, r.Bottom - 1}, bottom);
  Fill(s, {r.Left + 1, mid, r.Right - 1, r.Bottom - 2}, bottom);
  Fill(s, {r.Left + 3, r.Top + 2, r.Right - 3, r.Top + 3}, on ? Ring : 0x7FB6EC);
  if (on) Frame(s, {r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2}, Ring);
}

int32_t Text(TSurface& s, int32_t x, int32_t y, const std::string& text, uint32_t rgb) {
  TTextCanvas canvas(s, FontName, FontPoints, true);
  canvas.TextOut(x, y, text, Bgr(rgb));
  return canvas.TextWidth(text);
}

int32_t TextWidth(TSurface& s, const std::string& text) {
  TTextCanvas canvas(s, FontName, FontPoints, true);
  return canvas.TextWidth(text);
}

void TextIn(TSurface& s, const TRect& r, const std::string& text, uint32_t rgb) {
  const int32_t w = TextWidth(s, text);
  Text(s, r.Left + (r.Width() - w) / 2, r.Top + (r.Height() - 14) / 2, text, rgb);
}

}  // namespace editor_draw
