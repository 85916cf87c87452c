#include "launcher/launcher_paint.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "launcher/launcher_form.h"
#include "launcher/launcher_text.h"
#include "pixels/pill.h"
#include "pixels/surface.h"

namespace {

struct TRgb {
  uint8_t R, G, B;
};

constexpr TRgb kWater{0x46, 0xB1, 0xDD};
constexpr TRgb kPanelBorder{0x04, 0x72, 0xBC};
constexpr TRgb kPanelInside{0x04, 0xBE, 0xF4};
constexpr TRgb kNavy{0x1A, 0x24, 0x33};
// Text colours as 0x00BBGGRR.
constexpr uint32_t kWhiteText = 0xFFFFFF, kNavyText = 0x33241A, kGoldText = 0x3FD2FF,
                   kLinkText = 0x8C3A12;

uint32_t Pixel(const TSurface& s, TRgb c) {
  return ToSurfaceColor(s.Format(), c.R, c.G, c.B);
}

// A framed panel: a border two pixels wide, the inside, and a hairline one pixel inside that.
void Panel(TSurface& s, const TRect& r) {
  s.FillRect(r, Pixel(s, kPanelBorder));
  s.FillRect({r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2}, Pixel(s, kPanelInside));
  const TRect h{r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3};
  const uint32_t p = Pixel(s, kPanelBorder);
  s.FillRect({h.Left, h.Top, h.Right, h.Top + 1}, p);
  s.FillRect({h.Left, h.Bottom - 1, h.Right, h.Bottom}, p);
  s.FillRect({h.Left, h.Top, h.Left + 1, h.Bottom}, p);
  s.FillRect({h.Right - 1, h.Top, h.Right, h.Bottom}, p);
}

// Text with a hard navy shadow one pixel down and right.
void ShadowText(TSurface& s, const TLauncherText& t, int32_t x, int32_t y, const std::string& text,
                uint32_t colour, bool bold) {
  if (t.UsesSystemFont()) t.Draw(s, x + 1, y + 1, text, kNavyText, bold);
  t.Draw(s, x, y, text, colour, bold);
}

// A pill button with its caption, centred (one pixel down and right while pressed).
void Button(TSurface& s, const TLauncherText& t, const TForm1::TControl& c, bool focused, bool hot,
            bool pressed) {
  const TRect& r = c.Bounds;
  const int w = r.Width(), h = r.Height();
  DrawPill(s, r, {focused, hot, pressed});
  const int32_t tw = t.Width(c.Caption, c.Bold);
  const int32_t th = t.Height();
  const int32_t off = pressed ? 1 : 0;
  ShadowText(s, t, r.Left + (w - tw) / 2 + off, r.Top + (h - th) / 2 + off, c.Caption, kWhiteText,
             c.Bold);
}

}  // namespace

void PaintLauncher(const TForm1& form, const TLauncherText& text, const TSurface& picture,
                   TSurface& dest) {
  dest.Fill(Pixel(dest, kWater));

  // The page control: the "About" tab joined to its page.
  Panel(dest, TForm1::AboutTab);
  Panel(dest, {TForm1::PageControl1.Left, TForm1::AboutTab.Bottom - 1, TForm1::PageControl1.Right,
               TForm1::PageControl1.Bottom});
  dest.FillRect({TForm1::AboutTab.Left + 2, TForm1::AboutTab.Bottom - 3, TForm1::AboutTab.Right - 2,
                 TForm1::AboutTab.Bottom + 3},
                Pixel(dest, kPanelInside));
  const TRect& tab = TForm1::AboutTab;
  ShadowText(dest, text, tab.Left + (tab.Width() - text.Width("About", true)) / 2, tab.Top + 3,
             "About", kWhiteText, true);

  // The picture, framed in navy.
  const TRect& img = form.Control(TForm1::Image1).Bounds;
  dest.FillRect({img.Left - 1, img.Top - 1, img.Right + 1, img.Bottom + 1}, Pixel(dest, kNavy));
  if (!picture.IsEmpty())
    dest.CopyFrom(img.Left, img.Top,
                  picture.Format() == dest.Format() ? picture : picture.Converted(dest.Format()),
                  picture.ClientRect());

  for (TForm1::TControlId id : {TForm1::Label1, TForm1::Label2, TForm1::Label3}) {
    const TForm1::TControl& c = form.Control(id);
    ShadowText(dest, text, c.Bounds.Left, c.Bounds.Top, c.Caption,
               id == TForm1::Label1 ? kGoldText : kWhiteText, c.Bold);
  }
  for (TForm1::TControlId id : {TForm1::Label4, TForm1::Label7}) {
    const TForm1::TControl& c = form.Control(id);
    const uint32_t colour = form.Hot() == id ? kNavyText : kLinkText;
    text.Draw(dest, c.Bounds.Left, c.Bounds.Top, c.Caption, colour);
    const int32_t underline = c.Bounds.Top + text.Height() - 2;
    dest.FillRect({c.Bounds.Left, underline, c.Bounds.Right, underline + 1},
                  ColorToPixel(dest.Format(), colour));
  }

  for (TForm1::TControlId id :
       {TForm1::Button1, TForm1::Button5, TForm1::Button7, TForm1::Button4, TForm1::Button2})
    Button(dest, text, form.Control(id), form.Focused() == id, form.Hot() == id,
           form.Pressed() == id && form.Hot() == id);
}
