#pragma once
#include <cstdint>
#include <memory>

#include "actors/sprite_tree.h"
#include "media/dxdraw.h"
#include "media/dxtimer.h"
#include "media/image_list.h"

class IVideoOutput;

// The game window: it owns the display and the frame timer and runs one frame per timer tick.
// Its input, routed by the game state to the screens and the Dragon, is added above it
// (TMainForm, front/input.h).
class TGameWindow {
 public:
  explicit TGameWindow(IVideoOutput* output);
  ~TGameWindow();

  TDXDraw DXDraw;
  TDXTimer DXTimer1;
  TDXImageList ImageList;
  TDXImageList FoodImg;
  TDXSpriteEngine& SpriteEngine = ::SpriteEngine;  // the one sprite tree of the game

  // Start-up and shut-down. FormCreate loads the pictures (raising EImageLoadError naming a
  // missing or damaged one) and makes the mirrored left-facing ones.
  void FormCreate();
  void FormDestroy();
  bool FormCloseQuery();  // true: the window may close
  void FormClose();
  void QuitGame();
  bool Closed() const { return closed_; }

  // Frames.
  void DXTimer1Timer(int32_t lagCount);
  void DoFrame();
  void ResetToMenu();
  void BackToMenu();

  // Display bring-up and its events.
  void InitVideo();
  void Go2WindowMode();
  void Go2FullScreen();
  void DXDrawInitialize();
  void DXDrawFinalize();
  void DXDrawRestoreSurface();
  void DisplayChanged();
  void DXTimer1Activate();
  void DXTimer1Deactivate();

  // Play stands still, and goes on.
  void PauseGame();
  void ResumeGame();

  IVideoOutput* Output() const { return output_; }

 private:
  void PlayFrame();
  void CountSecond();
  void BlendCentredCaption(const char* imageName, int32_t level);

  IVideoOutput* output_;
  bool closed_ = false;
};

// The one game window (null while none exists).
extern TGameWindow* MainForm;

// The frame clock: reads the millisecond clock into FrameDelta and LevelTicks.
void UpdateClock();
