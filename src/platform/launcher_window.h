#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "pixels/surface.h"

// One input event of the launcher window, in the window's pixels and the game's key codes.
struct TLauncherInput {
  enum TKind {
    None,
    KeyDown,    // Key, Shift (the game pad's D-pad and face buttons arrive as keys too)
    MouseMove,  // X, Y
    MouseDown,  // Button (0 left), X, Y, Clicks (2 for a double click)
    MouseUp,    // Button, X, Y
    Close,      // the window's close button
    Exposed,    // the window must be drawn again
  };
  TKind Kind = None;
  int32_t Key = 0;
  uint32_t Shift = 0;
  int32_t X = 0, Y = 0;
  int32_t Button = 0;
  int32_t Clicks = 1;
};

// The launcher's own small window: fixed size, centred, showing one software picture.
class ILauncherWindow {
 public:
  virtual ~ILauncherWindow() = default;
  // Opens the window with a client area of width x height; raises EVideoError when it can't.
  virtual void Show(const std::string& caption, int width, int height) = 0;
  // Closes the window for good.
  virtual void Hide() = 0;
  virtual void Present(const TSurface& picture) = 0;
  virtual bool WaitEvent(TLauncherInput& e, int timeoutMs) = 0;
  // The pointing hand over links, the arrow elsewhere.
  virtual void SetHandCursor(bool hand) = 0;
};

// The SDL2 launcher window.
std::unique_ptr<ILauncherWindow> CreateSdlLauncherWindow();
