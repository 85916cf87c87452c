// The status line: numbers of fixed width and the heart that empties with the energy.
#include <gtest/gtest.h>

#include <string>

#include "actors/dragon.h"
#include "actors/effects.h"
#include "actors/sprite_tree.h"
#include "core/globals.h"
#include "fake_video.h"
#include "front/input.h"
#include "game/playfield.h"
#include "media/image_item.h"
#include "platform/clock.h"
#include "support/session_test.h"

namespace {

class Hud : public SessionTest {
 protected:

  TSurface& Screen() { return form.DXDraw.Surface(); }
  TPictureCollectionItem& Picture(const char* name) { return form.ImageList.Find(name); }

  // The rows [top, bottom) of rectangle r are the same on both surfaces.
  static bool SameRows(const TSurface& a, const TSurface& b, TRect r, int top, int bottom) {
    for (int y = r.Top + top; y < r.Top + bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if (a.GetPixel(x, y) != b.GetPixel(x, y)) return false;
    return true;
  }

};

TEST_F(Hud, NumbersShowExactlyTheirDigits) {
  const struct {
    int32_t value, digits;
    const char* shown;
  } cases[] = {{5, 2, "05"}, {100, 3, "100"}, {99, 2, "99"}, {1234567, 6, "234567"}};
  TPictureCollectionItem& numz = Picture("Numz");
  const int top = 440 + (40 - numz.Height()) / 2;
  for (const auto& c : cases) {
    Screen().Fill(0);
    DrawNumber(c.value, c.digits, 290);
    TSurface want(640, 480, Screen().Format());
    want.Fill(0);
    const std::string shown = c.shown;
    for (size_t i = 0; i < shown.size(); ++i)
      numz.Draw(want, 290 + static_cast<int>(i) * numz.Width(), top, shown[i] - '0');
    EXPECT_TRUE(SameRows(Screen(), want, {0, 440, 640, 480}, 0, 40)) << c.shown;
  }
}

TEST_F(Hud, HeartEmptiesFromTheTop) {
  const struct {
    int32_t lives, energy, cut;  // cut: rows of the empty heart shown above the full one
  } cases[] = {{3, 150, 0}, {3, 93, 0}, {3, 92, 2}, {3, 50, 12}, {3, 0, 25}, {0, 150, 25}};
  TPictureCollectionItem& life = Picture("Life");
  TPictureCollectionItem& empty = Picture("HeartEmpty");
  const TRect heart = Bounds(130, 440 + (40 - life.Height()) / 2, life.Width(), life.Height());
  TSurface full(640, 480, Screen().Format()), none(640, 480, Screen().Format());
  full.Fill(0);
  none.Fill(0);
  empty.Draw(full, heart.Left, heart.Top, 0);
  life.Draw(full, heart.Left, heart.Top, 0);
  empty.Draw(none, heart.Left, heart.Top, 0);
  ASSERT_FALSE(SameRows(full, none, heart, 0, life.Height()));
  Dragon = new TDragon(&SpriteRoot());
  for (const auto& c : cases) {
    G.Lives = c.lives;
    Dragon->Energy = c.energy;
    Screen().Fill(0);
    DrawHud();
    EXPECT_TRUE(SameRows(Screen(), none, heart, 0, c.cut)) << c.energy;
    EXPECT_TRUE(SameRows(Screen(), full, heart, c.cut, life.Height())) << c.energy;
  }
}

}  // namespace
