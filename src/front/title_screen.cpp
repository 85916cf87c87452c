// The title screen: its one-time set-up, its picture and what its menu items do.
#include "front/title_screen.h"

#include <array>

#include "core/globals.h"
#include "core/level_set.h"
#include "front/edit_volume.h"
#include "front/help_screen.h"
#include "front/screen_calls.h"
#include "game/bitmap_font.h"
#include "game/demo.h"
#include "game/level.h"
#include "game/level_reader.h"
#include "game/levels_in_memory.h"
#include "game/main_form.h"
#include "game/playfield.h"
#include "game/rules.h"
#include "game/screen_text.h"
#include "game/title_sound.h"
#include "platform/clock.h"

std::unique_ptr<TMyMenu> Menu;

void BuildMenu() {
  if (!MainForm) return;
  MainForm->DXDraw.SetArrowCursor(false);
  StartTitleSound();  // sound device, music player, both volumes, then the title music
  EditVolume = std::make_unique<TEditVolume>();
  Help = std::make_unique<THelp>();
  BitmapFont = std::make_unique<TBitmapFont>(&MainForm->ImageList.Find("fnt1"));
  G.LevelTicks = 1;
  G.LastTick = game_clock::Now();
  G.MenuBuilt = true;
  Menu = std::make_unique<TMyMenu>();
  for (const char* name : {"New", "Hiscore", "Options", "Demo", "Help", "Exit"})
    Menu->AddItem(name);
  Menu->Layout(MainForm->ImageList, 140, 21, 1);
  Menu->PlacePointer();
  Menu->Draw(MainForm->DXDraw.Surface(), MainForm->ImageList);
  // The level file must be there (unless levels are held in memory); a missing one stops here
  // with its error.
  if (!LevelRecordsInMemory()) TLevelReader(LevelFilePath()).RecordCount();
  G.LevelCount = LevelSetSize;
}

namespace {

// All that the title's picture is drawn from. While it stays the same and nothing else drew on
// the display since, the display still holds the title as it would be drawn: the frame draws
// nothing, and shows nothing new.
struct TTitleLook {
  uint32_t Generation = 0;
  uint64_t DrawCount = 0;  // the display's count just after the title was drawn
  const TSurface* Water = nullptr;
  TGameState State = gsStartup;
  bool FrameCounter = false;  // it changes by itself: never the same
  TPoint Pointer;
  std::array<TRect, TMyMenu::kCapacity> Items{};
  bool operator==(const TTitleLook&) const = default;
};

TTitleLook shownTitle;

TTitleLook TitleLook() {
  const TDXDraw& display = MainForm->DXDraw;
  TTitleLook look{display.Generation(), display.DrawCount(), WaterPicture(),
                  G.GameState,          G.ShowFps,           G.PointerPos};
  if (Menu)
    for (int32_t i = 1; i <= Menu->ItemCount; ++i) {
      const TMenuItem& it = Menu->Item(i);
      look.Items[i - 1] = {it.X, it.Y, it.X + it.Width, it.Y + it.Height};
    }
  return look;
}

}  // namespace

void DrawTitle() {
  TSurface* s = ScreenSurface();
  if (!s) return;
  if (Menu) Menu->Animate();
  // Only with partial drawing: drawn whole, every frame is drawn in full.
  const bool same = MainForm->DXDraw.PartialDrawing() && !G.ShowFps && TitleLook() == shownTitle;
  if (same) return;
  DrawWater();
  TPictureCollectionItem& title = MainForm->ImageList.Find("Title");
  title.Draw(*s, (640 - title.Width()) / 2, 20, 0);
  if (Menu) Menu->Paint(*s, MainForm->ImageList);
  DrawFrameCounter();
  shownTitle = TitleLook();
}

void ResetMenu() {
  if (!Menu) return;
  // The menu comes back with the item it was left on, shown at full size at once.
  Menu->StopZooms();
  Menu->PlacePointer();
}

void MoveSelection(int32_t delta) {
  if (Menu) Menu->MoveSelection(delta);
}

int32_t MenuSelected() {
  return Menu ? Menu->Selected : 1;
}

int32_t MenuItemCount() {
  return Menu ? Menu->ItemCount : 1;
}

bool PointerOverSelected() {
  return Menu && Menu->PointerOverSelected();
}

void TapMenuItem() {
  if (!Menu) return;
  const int32_t i = Menu->ItemUnderPointer();
  if (i == 0) return;
  if (i != Menu->Selected) Menu->MoveSelection(i - Menu->Selected);
  ActivateSelected();
}

void ActivateSelected() {
  if (!Menu || Menu->ItemCount == 0) return;
  const std::string& name = Menu->Item(Menu->Selected).Name;
  if (name == "New") {
    NewGame(0);
  } else if (name == "Hiscore") {
    LoadHighScoresOnce();
    ShowHighScores(false, 0);
  } else if (name == "Options") {
    OpenOptions();
  } else if (name == "Demo") {
    StartDemo();
  } else if (name == "Help") {
    OpenHelp(1);
  } else if (name == "Exit") {
    if (MainForm) MainForm->QuitGame();
  }
}
