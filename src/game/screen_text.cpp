#include "game/screen_text.h"

#include "core/globals.h"
#include "game/bitmap_font.h"
#include "game/main_form.h"
#include "game/text_canvas.h"
#include "platform/video.h"

TSurface* ScreenSurface() {
  return MainForm ? &MainForm->DXDraw.Surface() : nullptr;
}

TBitmapFont* GameFont() {
  if (!BitmapFont && MainForm) {
    // Without its strip (a catalogue not loaded) the font draws nothing.
    BitmapFont = std::make_unique<TBitmapFont>(MainForm->ImageList.TryFind("fnt1"));
  }
  return BitmapFont.get();
}

uint32_t ScreenColor(uint8_t r, uint8_t g, uint8_t b) {
  const TSurface* s = ScreenSurface();
  return ToSurfaceColor(s ? s->Format() : TPixelFormat(), r, g, b);
}

int32_t TextWidth(const std::string& text) {
  const TBitmapFont* f = GameFont();
  return f ? f->TextWidth(text) : 0;
}

void DrawString(int32_t x, int32_t y, const std::string& text) {
  TSurface* s = ScreenSurface();
  const TBitmapFont* f = GameFont();
  if (s && f) f->DrawString(*s, x, y, text);
}

void DrawStringCentred(int32_t y, const std::string& text) {
  TSurface* s = ScreenSurface();
  const TBitmapFont* f = GameFont();
  if (s && f) f->DrawStringCentred(*s, MainForm->DXDraw.Display.Width, y, text);
}

void DrawPressAnyKey(int32_t y) {
  DrawStringCentred(y, "Press any key to continue...");
}

void DrawFrameCounter() {
  if (G.ShowFps && MainForm) DrawString(1, 1, std::to_string(MainForm->DXTimer1.FrameRate()));
}

void DrawShadowText(const std::string& text, const std::string& fontName, int32_t size, int32_t y,
                    uint32_t colour) {
  TSurface* s = ScreenSurface();
  if (!s) return;
  TTextCanvas canvas(*s, fontName, size, true);
  const int32_t x = (640 - canvas.TextWidth(text)) / 2;
  canvas.TextOut(x + 2, y + 2, text, 0x000000);
  canvas.TextOut(x, y, text, colour);
}

void DrawPanel(int32_t w, int32_t h) {
  TSurface* s = ScreenSurface();
  if (!s) return;
  const int32_t x0 = (640 - w) / 2, y0 = (480 - h) / 2;
  const uint32_t dark = ScreenColor(4, 114, 188);
  s->FillRect({x0, y0, x0 + w, y0 + h}, dark);
  s->FillRect({x0 + 2, y0 + 2, x0 + w - 2, y0 + h - 2}, ScreenColor(4, 190, 244));
  // The hairline: a one-pixel frame just inside (x0 + 3, y0 + 3) to (x0 + w - 3, y0 + h - 3).
  const int32_t l = x0 + 3, t = y0 + 3, r = x0 + w - 3, b = y0 + h - 3;
  s->FillRect({l, t, r, t + 1}, dark);
  s->FillRect({l, b - 1, r, b}, dark);
  s->FillRect({l, t, l + 1, b}, dark);
  s->FillRect({r - 1, t, r, b}, dark);
}

void DrawImageAt(int32_t x, int32_t y, const std::string& name) {
  TSurface* s = ScreenSurface();
  if (s) MainForm->ImageList.Find(name).Draw(*s, x, y, 0);
}

void DrawSoftCursor() {
  if (!MainForm || !MainForm->Output()) return;
  FollowPointer();
  DrawPointer();
}

void FollowPointer() {
  if (MainForm && MainForm->Output()) G.PointerPos = MainForm->Output()->PointerPosition();
}

void DrawPointer() {
  if (MainForm && MainForm->Output() && PointerInRect({0, 0, 639, 479}))
    DrawImageAt(G.PointerPos.X, G.PointerPos.Y, "Cursor");
}

bool PointerInRect(const TRect& r) {
  const TPoint p = G.PointerPos;
  return r.Left <= p.X && p.X <= r.Right && r.Top <= p.Y && p.Y <= r.Bottom;
}
