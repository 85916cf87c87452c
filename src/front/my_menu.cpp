#include "front/my_menu.h"

#include <cstdlib>

#include "core/globals.h"
#include "core/sound.h"
#include "game/main_form.h"
#include "game/screen_text.h"
#include "media/image_list.h"
#include "platform/video.h"

void PlaceSystemPointer(int32_t x, int32_t y) {
  G.PointerPos = {x, y};
  if (MainForm && MainForm->Output()) MainForm->Output()->WarpPointer(G.PointerPos);
}

void TMyMenu::AddItem(const std::string& name) {
  if (ItemCount >= kCapacity) return;
  Items[ItemCount] = TMenuItem{name};
  ++ItemCount;
}

void TMyMenu::Layout(TDXImageList& images, int32_t top, int32_t spacing, int32_t selected) {
  Top = top;
  Spacing = spacing;
  Selected = selected;
  for (int32_t i = 1; i <= ItemCount; ++i) {
    TMenuItem& it = Item(i);
    const TPictureCollectionItem& picture = images.Find(it.Name);
    it.MinHeight = picture.Height() * 6 / 10;
    it.MaxHeight = picture.Height();
    it.MinWidth = picture.Width() * 6 / 10;
    it.MaxWidth = picture.Width();
  }
}

void TMyMenu::Draw(TSurface& dest, TDXImageList& images) {
  Animate();
  Paint(dest, images);
}

void TMyMenu::Animate() {
  const int32_t t = G.LevelTicks;
  const bool inMenu = G.GameState == gsMenu;
  int32_t hovered = 0;
  for (int32_t i = 1; i <= ItemCount; ++i) {
    TMenuItem& it = Item(i);
    const int32_t e = std::abs(t - it.ZoomStart);
    if (it.ZoomStart != 0 && e < ZoomTime) {
      const int32_t dw = (it.MaxWidth - it.MinWidth) * e / ZoomTime;
      const int32_t dh = (it.MaxHeight - it.MinHeight) * e / ZoomTime;
      if (i == Selected) {
        it.Width = it.MinWidth + dw;
        it.Height = it.MinHeight + dh;
      } else {
        it.Width = it.MaxWidth - dw;
        it.Height = it.MaxHeight - dh;
      }
    } else {
      it.ZoomStart = 0;
      it.Width = i == Selected ? it.MaxWidth : it.MinWidth;
      it.Height = i == Selected ? it.MaxHeight : it.MinHeight;
    }
    it.X = (640 - it.Width) / 2;
    it.Y = Top - it.Height / 2 + (i - 1) * (it.MinHeight + Spacing);
    if (inMenu && i != Selected && PointerInRect({it.X, it.Y, it.X + it.Width, it.Y + it.Height}))
      hovered = i;
  }
  if (hovered != 0 && hovered != Selected) MoveSelection(hovered - Selected);
  if (inMenu) FollowPointer();
}

void TMyMenu::Paint(TSurface& dest, TDXImageList& images) const {
  for (int32_t i = 1; i <= ItemCount; ++i) {
    const TMenuItem& it = Item(i);
    images.Find(it.Name).StretchDraw(dest, {it.X, it.Y, it.X + it.Width, it.Y + it.Height}, 0);
  }
  if (G.GameState == gsMenu) DrawPointer();
}

void TMyMenu::MoveSelection(int32_t n) {
  if (ItemCount == 0) return;
  const int32_t t = G.LevelTicks;
  TMenuItem& old = Item(Selected);
  // A shrink that starts while the item still grows starts from the size it has reached.
  old.ZoomStart = old.ZoomStart == 0 ? t : 2 * t - ZoomTime - old.ZoomStart;
  if (n < 0)
    Selected = Selected == 1 ? ItemCount : Selected + n;
  else
    Selected = Selected == ItemCount ? 1 : Selected + n;
  // A step larger than the menu still lands on an item.
  Selected = ((Selected - 1) % ItemCount + ItemCount) % ItemCount + 1;
  PlaySound("Jump");
  Item(Selected).ZoomStart = t;
  PointerToSelected();
}

bool TMyMenu::PointerOverSelected() const {
  if (ItemCount == 0) return false;
  const TMenuItem& it = Item(Selected);
  return PointerInRect({it.X, it.Y, it.X + it.Width, it.Y + it.Height});
}

int32_t TMyMenu::ItemUnderPointer() const {
  for (int32_t i = 1; i <= ItemCount; ++i) {
    const TMenuItem& it = Item(i);
    if (PointerInRect({it.X, it.Y, it.X + it.Width, it.Y + it.Height})) return i;
  }
  return 0;
}

void TMyMenu::PointerToSelected() {
  if (PointerOverSelected()) return;
  const TMenuItem& it = Item(Selected);
  PlaceSystemPointer(320, it.Y + it.Height * 2 / 3);
}

void TMyMenu::PlacePointer() {
  PlaceSystemPointer(310, Top - 50);
}

void TMyMenu::StopZooms() {
  for (TMenuItem& it : Items) it.ZoomStart = 0;
}
