#include "front/edit_volume.h"

#include <algorithm>

#include "core/globals.h"
#include "core/sound.h"
#include "platform/keys.h"
#include "front/screen_calls.h"
#include "front/shapes.h"
#include "game/main_form.h"
#include "game/screen_text.h"

std::unique_ptr<TEditVolume> EditVolume;

namespace {

int32_t NextDifficulty(int32_t d, int32_t step) {
  return (d - 1 + step + 3) % 3 + 1;
}

void ChangeDifficulty(int32_t step) {
  G.Difficulty = NextDifficulty(std::clamp(G.Difficulty, 1, 3), step);
  PlaySound("Key");
}

void SetSoundVolume(int32_t v) {
  G.SFXVol = v;
  ApplySoundVolume();
  PlaySound("Jump");  // after the new volume, so it previews it
}

// Ten steps rising left to right, each a filled rectangle with an outline.
void DrawBar(TSurface& s, int32_t y0, int32_t value, bool enabled) {
  const uint32_t outline = enabled ? ScreenColor(70, 70, 185) : ScreenColor(128, 128, 128);
  for (int32_t i = 1; i <= 10; ++i) {
    uint32_t fill;
    if (!enabled)
      fill = ScreenColor(170, 170, 170);
    else if (i > value)
      fill = ScreenColor(255, 255, 255);
    else
      fill = ScreenColor(static_cast<uint8_t>(170 - 10 * i), static_cast<uint8_t>(170 - 10 * i),
                         static_cast<uint8_t>(255 - 7 * i));
    DrawOutlinedRect(s, {15 * i + 295, y0 + 10 - i, 15 * i + 308, y0 + 30}, outline, fill);
  }
}

}  // namespace

const char* DifficultyName(int32_t difficulty) {
  switch (difficulty) {
    case 1:
      return "Easy";
    case 3:
      return "Hard";
    default:
      return "Normal";
  }
}

int32_t BarValueAt(int32_t x) {
  const int32_t d = x - 310;
  return d <= 5 ? 0 : std::min(10, d * 10 / 148 + 1);
}

void OpenOptions() {
  if (EditVolume) EditVolume->Open();
}

void TEditVolume::Open() {
  G.GameState = gsOptions;
  Row = 1;
  Draw();
}

void TEditVolume::MoveRow(int32_t n) {
  PlaySound("Key");
  Row += n;
  if (Row == 3) Row = n < 0 ? 2 : 4;
  if (Row < 1) Row = 5;
  if (Row > 5) Row = 1;
}

void TEditVolume::Ok() {
  // The display mode is switched with Alt+Enter or F11, so there is no mode to apply here.
  G.GameState = gsMenu;
}

void TEditVolume::Key(int32_t key) {
  switch (key) {
    case vk::Return:
    case vk::Space:
      if (Row == 4) ChangeDifficulty(1);
      if (Row == 5) Ok();
      break;
    case vk::Escape:
      G.GameState = gsMenu;
      break;
    case vk::Up:
      MoveRow(-1);
      break;
    case vk::Down:
      MoveRow(1);
      break;
    case vk::Left:
    case vk::Right: {
      const int32_t step = key == vk::Left ? -1 : 1;
      if (Row == 1) {
        if (G.SFXVol + step >= 0 && G.SFXVol + step <= 10) SetSoundVolume(G.SFXVol + step);
      } else if (Row == 2) {
        if (G.MusVol + step >= 0 && G.MusVol + step <= 10)
          SetMusicVolume(static_cast<uint16_t>(G.MusVol + step));
      } else if (Row == 4) {
        ChangeDifficulty(step);
      }
      break;
    }
    default:
      break;
  }
}

void TEditVolume::Click() {
  if (PointerInRect(OkButton)) {
    Ok();
  } else if (PointerInRect(SoundBar)) {
    Row = 1;
    SetSoundVolume(BarValueAt(G.PointerPos.X));
  } else if (PointerInRect(MusicBar)) {
    Row = 2;
    SetMusicVolume(static_cast<uint16_t>(BarValueAt(G.PointerPos.X)));
  } else if (PointerInRect(DiffValue)) {
    Row = 4;
    ChangeDifficulty(1);
  } else if (PointerInRect(DiffLeft)) {
    Row = 4;
    ChangeDifficulty(-1);
  } else if (PointerInRect(DiffRight)) {
    Row = 4;
    ChangeDifficulty(1);
  }
}

uint32_t TEditVolume::PulseColour() {
  int32_t p = G.LevelTicks - PulseStart;
  if (p > 1800 || PulseStart == 0) {
    PulseStart = G.LevelTicks;
    p = 0;
  }
  const int32_t v = p <= 900 ? 160 + p * 40 / 900 : 200 - (p - 900) * 40 / 900;
  return ScreenColor(static_cast<uint8_t>(v), static_cast<uint8_t>(v), 250);
}

void TEditVolume::Draw() {
  TSurface* s = ScreenSurface();
  if (!s) return;
  DrawTitle();
  DrawPanel(300, 230);
  DrawBar(*s, 170, G.SFXVol, SoundAvailable);
  DrawBar(*s, 210, G.MusVol, SoundAvailable && MusicAvailable);
  const uint32_t arrowOutline = ScreenColor(70, 70, 185);
  const uint32_t arrowFill = G.Difficulty == 1   ? ScreenColor(60, 190, 70)
                             : G.Difficulty == 2 ? ScreenColor(255, 210, 63)
                                                 : ScreenColor(230, 50, 50);
  DrawOutlinedTriangle(*s, {327, 283}, {327, 297}, {313, 290}, arrowOutline, arrowFill);
  DrawOutlinedTriangle(*s, {440, 283}, {440, 297}, {454, 290}, arrowOutline, arrowFill);
  struct TLabel {
    int32_t Row, X, Y;
    const char* Text;
  };
  for (const TLabel& l : {TLabel{1, 185, 182, "Sound"}, TLabel{2, 185, 222, "Music"},
                          TLabel{4, 185, 282, "Difficulty"}}) {
    if (l.Row == Row)
      s->FillRect(Bounds(l.X - 5, l.Y - 3, TextWidth(l.Text) + 10, 23), PulseColour());
    DrawString(l.X, l.Y, l.Text);
  }
  DrawStringCentred(140, "Options");
  const std::string name = DifficultyName(G.Difficulty);
  DrawString(310 + (148 - TextWidth(name)) / 2, 282, name);
  MainForm->ImageList.Find("Ok").Draw(*s, 275, 310, Row == 5 || PointerInRect(OkButton) ? 1 : 0);
  DrawSoftCursor();
  MainForm->DXDraw.Flip();
}

void OptionsFrame() {
  if (EditVolume) EditVolume->Draw();
}

void OptionsKey(int32_t key) {
  if (EditVolume) EditVolume->Key(key);
}

void OptionsClick() {
  if (EditVolume) EditVolume->Click();
}

void ClearOptionsPending() {
  if (EditVolume) EditVolume->PulseStart = 0;
}
