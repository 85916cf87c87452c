#pragma once
#include <cstdint>
#include <memory>

#include "pixels/rect.h"

// The options screen over the title: the effects volume, the music volume, the difficulty and
// "Ok". Every change takes effect at once; the settings are written when the game is quit.
class TEditVolume {
 public:
  // Rows: 1 Sound, 2 Music, 4 Difficulty, 5 Ok (3 is never selected).
  int32_t Row = 1;
  int32_t PulseStart = 0;  // LevelTicks at the start of the highlight's cycle; 0 = start anew
  // Hit rectangles; all four edges count as inside.
  TRect SoundBar{310, 170, 458, 200};
  TRect MusicBar{310, 210, 458, 240};
  TRect OkButton{275, 310, 365, 340};
  TRect DiffLeft{313, 283, 327, 297};
  TRect DiffRight{440, 283, 454, 297};
  TRect DiffValue{337, 283, 430, 300};

  void Open();
  void Draw();
  void Key(int32_t key);
  void Click();
  void MoveRow(int32_t n);
  void Ok();
  // The highlight's colour for this frame: red = green from 160 up to 200 and back, blue 250.
  uint32_t PulseColour();
};

// The options screen, made with the title menu (null before).
extern std::unique_ptr<TEditVolume> EditVolume;

// Opens the options screen (the menu's "Options").
void OpenOptions();
// The names of the difficulties 1 to 3.
const char* DifficultyName(int32_t difficulty);
// A bar's volume step for a click at pointer x: 0 near the left end, up to 10 at the right.
int32_t BarValueAt(int32_t x);
