// Lines in a system font: hard-edged on every pixel depth, and the bitmap font standing in
// when the system has no font.
#include "game/text_canvas.h"

#include <set>

#include "front_fixture.h"
#include "game/screen_text.h"
#include "platform/system_font.h"

namespace {

// The distinct pixel values of a surface.
std::set<uint32_t> Colours(const TSurface& s) {
  std::set<uint32_t> c;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) c.insert(s.GetPixel(x, y));
  return c;
}

TEST(TextCanvas, SystemFontTextHasOnlyItsOwnColour) {
  for (const TPixelFormat& f : {TPixelFormat::XRGB8888(), TPixelFormat::RGB565()}) {
    TSurface s(200, 40, f);
    const uint32_t background = ToSurfaceColor(f, 4, 190, 244);
    s.Fill(background);
    TTextCanvas canvas(s, "Arial", 16, false);
    if (!canvas.HasSystemFont()) GTEST_SKIP() << "no system font on this machine";
    EXPECT_GT(canvas.TextWidth("Zoë 000123"), 60);
    canvas.TextOut(5, 5, "Zo\xEB 000123", 0x0000FF);  // Windows-1252 bytes
    EXPECT_EQ(Colours(s), (std::set<uint32_t>{background, ToSurfaceColor(f, 255, 0, 0)}));
  }
}

using ShadowText = FrontEnd;

TEST_F(ShadowText, IsCentredWithABlackShadowAndFallsBackToTheBitmapFont) {
  TSurface& s = form.DXDraw.Surface();
  s.Fill(ToSurfaceColor(s.Format(), 255, 255, 255));
  DrawShadowText("Well done!", "Arial", 26, 100, 0x00FFFF);  // yellow
  const std::set<uint32_t> colours = Colours(s);
  EXPECT_TRUE(colours.count(ToSurfaceColor(s.Format(), 255, 255, 0)));
  EXPECT_TRUE(colours.count(ToSurfaceColor(s.Format(), 0, 0, 0)));

  DisableSystemFonts(true);
  TTextCanvas canvas(s, "Arial", 16, false);
  EXPECT_FALSE(canvas.HasSystemFont());
  EXPECT_EQ(canvas.TextWidth("Press any key to continue..."), 340);
  s.Fill(0);
  canvas.TextOut(10, 10, "Ann", 0x0000FF);
  EXPECT_GT(Colours(s).size(), 1u);
  DisableSystemFonts(false);
}

}  // namespace
