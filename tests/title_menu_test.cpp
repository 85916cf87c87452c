// The title menu through the game window's key and mouse routing.
#include "core/settings_store.h"
#include "platform/keys.h"
#include "front/my_menu.h"
#include "front/screen_calls.h"
#include "front/title_screen.h"
#include "front_fixture.h"

namespace {

using TitleMenu = FrontEnd;

TEST_F(TitleMenu, BuildsSixItemsInOrderWithTheFirstSelected) {
  ASSERT_TRUE(Menu);
  ASSERT_EQ(Menu->ItemCount, 6);
  const char* names[] = {"New", "Hiscore", "Options", "Demo", "Help", "Exit"};
  for (int i = 1; i <= 6; ++i) EXPECT_EQ(Menu->Item(i).Name, names[i - 1]);
  EXPECT_EQ(Menu->Selected, 1);
  // Rows as laid out: New 154 x 38 at full size, centred on y = 140.
  EXPECT_EQ(Menu->Item(1).Width, 154);
  EXPECT_EQ(Menu->Item(1).Y, 140 - 38 / 2);
  EXPECT_EQ(Menu->Item(2).Width, 254 * 6 / 10);
  EXPECT_EQ(G.PointerPos, (TPoint{310, 90}));  // placed above the menu
  Frame();
  EXPECT_GT(DrawnOverWater(), 5000);  // the title and the items are drawn
}

TEST_F(TitleMenu, ArrowsWrapRoundAndEachMovePlaysJumpOnce) {
  struct Step {
    int32_t key;
    int32_t selected;
  };
  for (const Step s : {Step{vk::Up, 6}, Step{vk::Down, 1}, Step{vk::Down, 2}, Step{vk::Up, 1}}) {
    const size_t before = Plays("Jump");
    Tap(s.key);
    EXPECT_EQ(MenuSelected(), s.selected);
    EXPECT_EQ(Plays("Jump"), before + 1);
    Frame(500);  // the zoom ends and the hover keeps the selection
    EXPECT_EQ(MenuSelected(), s.selected);
  }
}

TEST_F(TitleMenu, EscSelectsExitOnceAndNeverActivates) {
  Tap(vk::Escape);
  EXPECT_EQ(MenuSelected(), 6);
  const size_t plays = Plays("Jump");
  Tap(vk::Escape);
  EXPECT_EQ(MenuSelected(), 6);
  EXPECT_EQ(Plays("Jump"), plays);
  EXPECT_EQ(G.GameState, gsMenu);
  EXPECT_FALSE(form.Closed());
  // Alt+Enter switches full screen; it does not activate "Exit".
  Tap(vk::Return, vk::ssAlt);
  EXPECT_FALSE(form.Closed());
  Tap(vk::Return);
  EXPECT_TRUE(form.Closed());
  // Quitting wrote the settings.
  TSettingsKey key;
  ASSERT_TRUE(key.Open(home + "Morvane/Tarvelle Free/", false));
  EXPECT_EQ(key.ReadInteger("Diff"), 2);
}

TEST_F(TitleMenu, ASecondMoveWithinTheZoomShrinksFromTheSizeReached) {
  Tap(vk::Down);  // "Hiscore" starts growing
  Frame(100);
  const int32_t grown = Menu->Item(2).Width;
  EXPECT_GT(grown, Menu->Item(2).MinWidth);
  EXPECT_LT(grown, Menu->Item(2).MaxWidth);
  Tap(vk::Down);  // at once it starts shrinking from there
  Frame(0);
  EXPECT_NEAR(Menu->Item(2).Width, grown, 1);
  Frame(50);
  EXPECT_LT(Menu->Item(2).Width, grown);
  Frame(400);
  EXPECT_EQ(Menu->Item(2).Width, Menu->Item(2).MinWidth);
  EXPECT_EQ(Menu->Item(3).Width, Menu->Item(3).MaxWidth);
}

TEST_F(TitleMenu, PointerFollowsKeysAndTheMouseSelectsAndClicks) {
  Tap(vk::Down);
  // The pointer was put on the new item, so the next frame's hover keeps it.
  EXPECT_EQ(G.PointerPos.X, 320);
  EXPECT_EQ(video.Pointer, G.PointerPos);
  Frame(500);
  EXPECT_EQ(MenuSelected(), 2);
  EXPECT_TRUE(PointerOverSelected());
  // Moving the mouse onto "Options" selects it on the next frame.
  const TMenuItem& options = Menu->Item(3);
  video.Pointer = {options.X + 2, options.Y + options.Height - 1};
  Frame();
  Frame();
  EXPECT_EQ(MenuSelected(), 3);
  // A right click, or a left click off the selected item, does nothing.
  Frame(500);
  Click(320, Menu->Item(3).Y + 5, 1);
  EXPECT_EQ(G.GameState, gsMenu);
  Click(5, 5);
  EXPECT_EQ(G.GameState, gsMenu);
  Click(320, Menu->Item(3).Y + 5);
  EXPECT_EQ(G.GameState, gsOptions);
}

TEST_F(TitleMenu, ReturningToTheMenuKeepsTheSelectionAtFullSize) {
  Tap(vk::Down);
  Frame(100);
  form.ResetToMenu();
  Frame(0);
  EXPECT_EQ(MenuSelected(), 2);
  EXPECT_EQ(Menu->Item(2).Width, Menu->Item(2).MaxWidth);
  EXPECT_EQ(Menu->Item(1).Width, Menu->Item(1).MinWidth);
  EXPECT_EQ(G.PointerPos, (TPoint{310, 90}));
}

TEST_F(TitleMenu, ItemsOpenTheirScreens) {
  struct Case {
    int32_t downs;
    TGameState state;
  };
  for (const Case c : {Case{1, gsHighScores}, Case{2, gsOptions}, Case{4, gsHelp}}) {
    G.GameState = gsMenu;
    while (MenuSelected() != 1) Tap(vk::Up);
    for (int i = 0; i < c.downs; ++i) Tap(vk::Down);
    Tap(vk::Space);
    EXPECT_EQ(G.GameState, c.state) << c.downs;
    Tap(vk::Escape);
    Frame();
    Tap(vk::Escape);
    EXPECT_EQ(G.GameState, gsMenu) << c.downs;
  }
}

}  // namespace
