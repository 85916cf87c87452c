#pragma once
#include <array>
#include <cstdint>
#include <string>

class TDXImageList;
class TSurface;

// One picture item of a menu, with where and how big it was last drawn.
struct TMenuItem {
  std::string Name;       // also the name of its picture
  int32_t ZoomStart = 0;  // LevelTicks when its grow or shrink began; 0 = not zooming
  int32_t X = 0, Y = 0, Width = 0, Height = 0;
  int32_t MinHeight = 0, MaxHeight = 0, MinWidth = 0, MaxWidth = 0;
};

// A vertical menu of picture items: the selected one at full size, the others at 60 percent;
// a change of selection shrinks the old item and grows the new one over ZoomTime ms. It
// follows the mouse while the game is in the title menu.
class TMyMenu {
 public:
  static constexpr int32_t kCapacity = 8;

  // Appends an item (ignored once the menu is full).
  void AddItem(const std::string& name);
  // Stores the layout and takes each item's sizes from its picture in images.
  void Layout(TDXImageList& images, int32_t top, int32_t spacing, int32_t selected);
  // Animates and draws every item; in the title menu also selects the item under the pointer
  // and draws the pointer. The two halves:
  void Draw(TSurface& dest, TDXImageList& images);
  // Each item's size and place at this moment; in the title menu the item under the pointer
  // becomes the selected one, and the pointer's place is read.
  void Animate();
  // Draws every item where Animate put it, and in the title menu the pointer.
  void Paint(TSurface& dest, TDXImageList& images) const;
  // Moves the selection by n items, wrapping round at either end, with the zoom and "Jump".
  void MoveSelection(int32_t n);
  // The pointer lies on the selected item as last drawn (edges included).
  bool PointerOverSelected() const;
  // The item under the pointer as last drawn (1-based), or 0.
  int32_t ItemUnderPointer() const;
  // Puts the pointer on the selected item unless it is already there.
  void PointerToSelected();
  // Puts the pointer above the first item.
  void PlacePointer();
  // Every item shown at its resting size at once.
  void StopZooms();

  TMenuItem& Item(int32_t i) { return Items[i - 1]; }  // 1-based
  const TMenuItem& Item(int32_t i) const { return Items[i - 1]; }

  uint16_t ZoomTime = 400;
  int32_t ItemCount = 0;
  int32_t Top = 140;
  int32_t Spacing = 21;
  int32_t Selected = 1;
  std::array<TMenuItem, kCapacity> Items;
};

// Moves the system pointer to a point of the picture and records it as PointerPos.
void PlaceSystemPointer(int32_t x, int32_t y);
