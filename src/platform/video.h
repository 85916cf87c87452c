#pragma once
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "pixels/rect.h"
#include "pixels/surface.h"

// One input or window event, already in the game's terms: key codes are the game's key
// numbering (platform/keys.h), mouse positions are in the 640 x 480 picture's pixels.
struct TInputEvent {
  enum TKind {
    None,
    KeyDown,    // Key, Shift; Repeat when the system repeats a held key
    KeyUp,      // Key, Shift
    TextInput,  // Text: UTF-8 of typed characters (only while text input is on)
    MouseMove,  // X, Y
    MouseUp,    // Button (0 left, 1 right, 2 middle, 3.. others), Shift, X, Y
    FocusGained,
    FocusLost,
    Minimized,
    Restored,
    CloseRequest,  // the window's close button, or the desktop asks the program to end
    DeviceReset,   // the picture's textures were lost and have been made again
    DisplayChanged,
    Exposed,     // the window was uncovered, restored or resized: its picture must be shown again
    PadAdded,    // a game pad was plugged in
    PadRemoved,  // the game pad in use was unplugged
    Touch,       // a finger went down at (DownX, DownY) and came up at (X, Y)
  };
  TKind Kind = None;
  int32_t Key = 0;
  uint32_t Shift = 0;
  bool Repeat = false;
  int32_t X = 0, Y = 0;
  int32_t DownX = 0, DownY = 0;
  int32_t Button = 0;
  std::string Text;
};

// The left stick of the game pad in use, each axis 0 .. 65535, with the reading of the stick at
// rest (never 0).
struct TPadStick {
  bool Connected = false;
  int32_t X = 32768, Y = 32768;
  int32_t CentreX = 32768, CentreY = 32768;
};

// Raised when the window or its picture cannot be made; the message is the reason.
class EVideoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The game window as the display needs it: a window showing one software picture.
class IVideoOutput {
 public:
  virtual ~IVideoOutput() = default;
  // Opens the window with a client area of width x height for pictures of the given depth.
  virtual void Open(int width, int height, int bitCount) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // Shows the picture, scaled by whole multiples and centred; waits for the next refresh.
  virtual void Present(const TSurface& picture) = 0;
  // The same, where only the given rectangles of the picture changed since the last present
  // (none: nothing changed); a window that can't show parts shows the whole.
  virtual void PresentRects(const TSurface& picture, const std::vector<TRect>& changed) {
    (void)changed;
    Present(picture);
  }
  // The next waiting event, if any; WaitEvent waits up to timeoutMs for one.
  virtual bool PollEvent(TInputEvent& e) = 0;
  virtual bool WaitEvent(TInputEvent& e, int timeoutMs) = 0;
  virtual void SetCursorVisible(bool visible) = 0;
  virtual void SetTextInput(bool on) = 0;
  virtual void ToggleFullScreen() = 0;
  virtual bool IsMinimized() const = 0;
  // The mouse pointer in picture pixels, and moving it there.
  virtual TPoint PointerPosition() const = 0;
  virtual void WarpPointer(TPoint p) = 0;
  // Pace presents to the refresh rate where the system gives no vertical sync (off for a
  // virtual clock).
  virtual void SetPacing(bool on) = 0;
  // The game pad's stick; not connected where there is no pad.
  virtual TPadStick PadStick() const { return {}; }
};

// The SDL2 window. The video driver is SDL's choice (SDL_VIDEODRIVER=dummy runs headless).
std::unique_ptr<IVideoOutput> CreateSdlVideo();

// Names the program for the desktop before its first window opens: the name (sound servers,
// the screen saver) and the desktop entry's id (the window's application id or class).
void NameSdlApplication(const std::string& name, const std::string& desktopId);

// Shows an error in a message box (when a display is there) and on standard error.
void ShowErrorBox(const std::string& title, const std::string& message);
