#pragma once
#include <cstdint>
#include <memory>

// The two help pages over the water, with animated pictures beside the text.
class THelp {
 public:
  int32_t Page = 1;

  // Shows a page: its pictures replace every sprite.
  void Open(int32_t page);
  // A key (27 for Esc, 0 for any other) or a mouse button (0): the next page, or the menu
  // after the last page or on Esc.
  void Key(int32_t k);
  void Draw();
};

// The help screen, made with the title menu (null before).
extern std::unique_ptr<THelp> Help;

// Opens the help screen at a page (the menu's "Help" opens page 1).
void OpenHelp(int32_t page);
