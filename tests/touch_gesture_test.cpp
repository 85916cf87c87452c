// A touch screen's fingers as the game reads them: swipes hop, taps next to the Dragon hop
// there, every other tap clicks.
#include <gtest/gtest.h>

#include "platform/keys.h"
#include "front/touch_gesture.h"

namespace {

// The Dragon on cell (5, 4) of 40 x 40 cells below a 20-pixel top line: the cell spans
// x 160..199, y 140..179.
const TTouchPond kPond{20, 40, 40, 5, 4};

TEST(TouchGesture, SwipesPressTheArrowOfTheirMainDirection) {
  struct Case {
    TPoint down, up;
    bool playing;
    int32_t key;
  };
  for (const Case& c : {
           Case{{300, 300}, {340, 310}, true, vk::Right},
           Case{{300, 300}, {260, 290}, true, vk::Left},
           Case{{300, 300}, {310, 250}, true, vk::Up},
           Case{{300, 300}, {290, 360}, false, vk::Down},        // menus move by arrows too
           Case{{300, 300}, {300 + kSwipeDistance, 300}, true, vk::Right},  // just far enough
           Case{{300, 300}, {330, 330}, true, vk::Right},        // a diagonal: across wins the tie
           // A swipe that starts on a neighbouring cell is still a swipe.
           Case{{220, 160}, {220, 100}, true, vk::Up},
       }) {
    const TTouchAction a = TouchAction(c.down, c.up, c.playing, kPond);
    EXPECT_EQ(a.Kind, TTouchAction::Arrow) << c.up.X << "," << c.up.Y;
    EXPECT_EQ(a.Key, c.key) << c.up.X << "," << c.up.Y;
  }
}

TEST(TouchGesture, InPlayATapOnANeighbouringCellHopsThere) {
  struct Case {
    TPoint at;
    int32_t key;
  };
  for (const Case& c : {Case{{200, 140}, vk::Right}, Case{{239, 179}, vk::Right},
                        Case{{159, 160}, vk::Left}, Case{{180, 139}, vk::Up},
                        Case{{180, 100}, vk::Up}, Case{{180, 180}, vk::Down}}) {
    const TTouchAction a = TouchAction(c.at, c.at, true, kPond);
    EXPECT_EQ(a.Kind, TTouchAction::Arrow) << c.at.X << "," << c.at.Y;
    EXPECT_EQ(a.Key, c.key) << c.at.X << "," << c.at.Y;
  }
}

TEST(TouchGesture, OtherTapsClickWhereTheFingerLifted) {
  struct Case {
    TPoint down, up;
    bool playing;
  };
  for (const Case& c : {
           Case{{180, 160}, {180, 160}, true},   // the Dragon's own cell
           Case{{205, 185}, {205, 185}, true},   // a diagonal neighbour
           Case{{260, 160}, {260, 160}, true},   // two cells away
           Case{{180, 10}, {180, 10}, true},     // the top line above the grid
           Case{{200, 160}, {210, 150}, false},  // next to the Dragon, but in a menu
           Case{{0, 0}, {5, 5}, false},
       }) {
    const TTouchAction a = TouchAction(c.down, c.up, c.playing, kPond);
    EXPECT_EQ(a.Kind, TTouchAction::Click) << c.up.X << "," << c.up.Y;
    EXPECT_EQ(a.X, c.up.X);
    EXPECT_EQ(a.Y, c.up.Y);
  }
}

}  // namespace
