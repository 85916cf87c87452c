// Keys as the game sees them: the characters key presses type, and the codes of SDL's keys.
#include <gtest/gtest.h>

#include "front/keys.h"
#include "game/app_loop.h"

namespace {

TEST(KeyInput, KeysThatTypeACharacter) {
  struct Case {
    int32_t key;
    uint32_t shift;
    char typed;
  };
  for (const Case& c : {Case{VK_RETURN, 0, 13}, Case{VK_ESCAPE, 0, 27}, Case{VK_BACK, 0, 8},
                        Case{VK_RETURN, ssShift, 13}, Case{VK_RETURN, ssAlt, 0},
                        Case{VK_BACK, ssAlt, 0}, Case{VK_SPACE, 0, 0}, Case{'A', 0, 0}}) {
    EXPECT_EQ(KeyCharacter(c.key, c.shift), c.typed) << c.key << " shift " << c.shift;
  }
}

}  // namespace
