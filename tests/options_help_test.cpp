// The options screen and the help pages through the game window's key and mouse routing.
#include "actors/effects.h"
#include "actors/image_sprite.h"
#include "actors/sprite_tree.h"
#include "core/settings.h"
#include "core/settings_store.h"
#include "front/edit_volume.h"
#include "front/help_screen.h"
#include "platform/keys.h"
#include "front/title_screen.h"
#include "front_fixture.h"

namespace {

class Options : public FrontEnd {
 protected:
  void SetUp() override {
    FrontEnd::SetUp();
    OpenOptions();
  }
};

TEST_F(Options, OpensOnSoundOverTheTitle) {
  EXPECT_EQ(G.GameState, gsOptions);
  EXPECT_EQ(EditVolume->Row, 1);
  Frame();
  // The panel's border at its top-left corner.
  EXPECT_EQ(form.DXDraw.Surface().GetPixel(170, 125),
            ToSurfaceColor(form.DXDraw.PixelFormat(), 4, 114, 188));
  EXPECT_GT(DrawnOverWater(), 20000);
}

TEST_F(Options, RowsSkipTheHiddenRowAndWrap) {
  struct Step {
    int32_t key, row;
  };
  for (const Step s : {Step{vk::Up, 5}, Step{vk::Down, 1}, Step{vk::Down, 2}, Step{vk::Down, 4},
                       Step{vk::Up, 2}, Step{vk::Down, 4}, Step{vk::Down, 5}}) {
    const size_t keys = Plays("Key");
    Tap(s.key);
    EXPECT_EQ(EditVolume->Row, s.row);
    EXPECT_EQ(Plays("Key"), keys + 1);
  }
}

TEST_F(Options, VolumesStopAtTheirEndsAndEffectsPreviewTheNewLevel) {
  G.SFXVol = 0;
  Tap(vk::Left);
  EXPECT_EQ(G.SFXVol, 0);
  EXPECT_EQ(Plays("Jump"), 0u);
  Tap(vk::Right);
  EXPECT_EQ(G.SFXVol, 1);
  EXPECT_EQ(Plays("Jump"), 1u);
  EXPECT_EQ(DXWaveList.Find("Jump").Volume, SoundVolumeFor(1));
  G.SFXVol = 10;
  Tap(vk::Right);
  EXPECT_EQ(G.SFXVol, 10);
  EXPECT_EQ(Plays("Jump"), 1u);
  // Music: down to 0 and back, silently.
  Tap(vk::Down);
  G.MusVol = 1;
  Tap(vk::Left);
  EXPECT_EQ(G.MusVol, 0);
  Tap(vk::Left);
  EXPECT_EQ(G.MusVol, 0);
  Tap(vk::Right);
  EXPECT_EQ(G.MusVol, 1);
  EXPECT_EQ(Plays("Jump"), 1u);
  // Enter on a volume row does nothing.
  Tap(vk::Return);
  EXPECT_EQ(G.GameState, gsOptions);
}

TEST_F(Options, DifficultyCyclesBothWaysAndEnterOnOkLeaves) {
  Tap(vk::Down);
  Tap(vk::Down);
  ASSERT_EQ(EditVolume->Row, 4);
  G.Difficulty = 1;
  for (int32_t want : {2, 3, 1}) {
    Tap(vk::Return);
    EXPECT_EQ(G.Difficulty, want);
  }
  Tap(vk::Left);
  EXPECT_EQ(G.Difficulty, 3);
  Tap(vk::Right);
  EXPECT_EQ(G.Difficulty, 1);
  Tap(vk::Down);
  Tap(vk::Space);
  EXPECT_EQ(G.GameState, gsMenu);
}

TEST_F(Options, ClicksSetBarsAndDifficulty) {
  struct Case {
    int32_t x, sfx;
  };
  for (const Case c : {Case{310, 0}, Case{315, 0}, Case{316, 1}, Case{384, 6}, Case{458, 10}}) {
    Click(c.x, 185);
    EXPECT_EQ(G.SFXVol, c.sfx) << c.x;
  }
  Click(458, 240);  // the music bar's bottom-right corner counts
  EXPECT_EQ(G.MusVol, 10);
  EXPECT_EQ(EditVolume->Row, 2);
  G.Difficulty = 2;
  Click(320, 290);  // left arrow
  EXPECT_EQ(G.Difficulty, 1);
  EXPECT_EQ(EditVolume->Row, 4);
  Click(454, 297);  // right arrow, its corner
  EXPECT_EQ(G.Difficulty, 2);
  Click(380, 300);  // the name
  EXPECT_EQ(G.Difficulty, 3);
  // A click counts where it happened, even before a frame has seen the pointer move there.
  G.PointerPos = {320, 226};
  TInputEvent e;
  e.Kind = TInputEvent::MouseUp;
  e.X = 440;
  e.Y = 185;
  app.Dispatch(e);
  EXPECT_EQ(G.SFXVol, 9);
  EXPECT_EQ(EditVolume->Row, 1);
  Click(200, 400);  // nothing there
  EXPECT_EQ(G.GameState, gsOptions);
  Click(300, 320);
  EXPECT_EQ(G.GameState, gsMenu);
}

TEST_F(Options, EscLeavesSilentlyAndQuittingSavesTheChanges) {
  Tap(vk::Right);  // effects 8 -> 9
  Tap(vk::Down);
  Tap(vk::Left);  // music 7 -> 6
  Tap(vk::Down);
  Tap(vk::Left);  // difficulty 2 -> 1
  const size_t keys = Plays("Key"), jumps = Plays("Jump");
  Tap(vk::Escape);
  EXPECT_EQ(G.GameState, gsMenu);
  EXPECT_EQ(Plays("Key"), keys);
  EXPECT_EQ(Plays("Jump"), jumps);
  form.QuitGame();
  ResetGlobals();
  LoadSettings();
  EXPECT_EQ(G.SFXVol, 9);
  EXPECT_EQ(G.MusVol, 6);
  EXPECT_EQ(G.Difficulty, 1);
}

using HelpScreen = FrontEnd;

TEST_F(HelpScreen, PagesTurnOnAnyKeyOrButtonAndEscLeaves) {
  OpenHelp(1);
  EXPECT_EQ(G.GameState, gsHelp);
  EXPECT_EQ(SpriteRoot().ChildCount(), 4);
  Frame();
  EXPECT_GT(DrawnOverWater(), 10000);
  Tap(vk::Escape);  // Esc on page 1 leaves without page 2
  EXPECT_EQ(G.GameState, gsMenu);
  EXPECT_EQ(SpriteRoot().ChildCount(), 0);

  OpenHelp(1);
  Tap(vk::Down);
  EXPECT_EQ(Help->Page, 2);
  EXPECT_EQ(SpriteRoot().ChildCount(), 6);
  Frame();
  Click(100, 100, 1);  // a right click turns the page like a left one
  EXPECT_EQ(G.GameState, gsMenu);
  EXPECT_EQ(SpriteRoot().ChildCount(), 0);
}

TEST_F(HelpScreen, PicturesMoveWithTheFrameTimerWhileTheClockStands) {
  OpenHelp(2);
  const int32_t ticks = G.LevelTicks;
  auto* prize = static_cast<TImageSprite*>(SpriteRoot().Child(0));
  const double before = prize->FramePos;
  Frame(100);
  Frame(100);
  EXPECT_EQ(G.LevelTicks, ticks);
  EXPECT_NE(prize->FramePos, before);
}

}  // namespace
