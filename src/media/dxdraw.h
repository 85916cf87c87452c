#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <vector>

#include "pixels/surface.h"

class IVideoOutput;

// Display options, in the bit order of the option set.
enum TDXDrawOption : uint32_t {
  doFullScreen,
  doNoWindowChange,
  doAllowReboot,
  doWaitVBlank,
  doAllowPalette256,
  doSystemMemory,
  doStretch,
  doCenter,
  doFlip,
  do3D,
  doDirectX7Mode,
  doRetainedMode,
  doHardware,
  doSelectDriver,
  doZBuffer,
};
constexpr uint32_t OptionBit(TDXDrawOption o) {
  return 1u << o;
}

// The display could not be brought up.
class EDXDrawError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The game's display: a 640 x 480 software drawing surface shown in the game window.
class TDXDraw {
 public:
  explicit TDXDraw(IVideoOutput* output) : output_(output) {
    drawn_.Next = &changed_;
    kept_.Next = &changed_;
    drawn_.Before = [this](const TRect& r) { GuardKept(r); };
    surface_.Watch(&drawn_);
  }
  ~TDXDraw();
  TDXDraw(const TDXDraw&) = delete;
  TDXDraw& operator=(const TDXDraw&) = delete;

  struct TDisplay {
    int Width = 640, Height = 480, BitCount = 32;
  } Display;
  uint32_t Options = OptionBit(doAllowReboot) | OptionBit(doWaitVBlank) | OptionBit(doFlip);

  // Finalizes first if initialized, then makes the window and the surface. Raises
  // EDXDrawError "Display mode cannot be changed (%dx%d %dbit)", followed by the platform's
  // reason after a colon, and stays finalized on failure.
  void Initialize();
  void Finalize();
  bool Initialized() const { return initialized_; }
  // True when the surface exists and can be painted.
  bool CanDraw() const;
  // Shows the drawing surface: with partial drawing, only what changed since the last flip.
  void Flip();

  // The picture under everything: the whole of bg (at least the surface's size) copied onto the
  // surface, or the surface filled with one pixel value. With partial drawing on, a background
  // laid again over the same one copies it back only where something was drawn since (every
  // drawing routine records where it drew on the surface), so the surface holds exactly what a
  // whole copy gives.
  // bgChanged: where bg itself changed since it was last laid (Whole: everywhere).
  void DrawBackground(const TSurface& bg, const TDamage* bgChanged = nullptr);
  void FillBackground(uint32_t pixel);
  // Partial drawing and presenting (on by default); off, every background and flip is whole.
  void SetPartialDrawing(bool on);
  bool PartialDrawing() const { return partial_; }
  // The next background and flip are whole (the pictures were remade, the window shown again).
  void Invalidate();
  // Changes at every invalidation: pictures kept from frame to frame are remade when it changes.
  // No two displays of the process share one, so a picture kept for a display that is gone is
  // never taken for a new one's.
  uint32_t Generation() const { return generation_; }
  // One part of the picture drawn alike frame after frame (the status line) may be kept on the
  // surface while what it shows stays the same: BeginKept(key) is true when the surface still
  // holds it as drawn with this key, over the same background and under nothing else, and then
  // nothing is to be drawn; false: draw it now, then call EndKept. A background laid over it lays
  // it again unless it is kept, and what is drawn on its place before it in a frame finds the
  // background laid there first, so the picture is always the one a whole redraw gives.
  bool BeginKept(std::span<const int32_t> key);
  void EndKept();
  // Shows the last picture again (the window was uncovered while no frames are drawn).
  void ShowAgain();
  // Counts every drawing on the surface and every background laid or invalidation: while it
  // stays the same, the surface holds, pixel for pixel, what it held when it was read.
  uint64_t DrawCount() const { return drawn_.Adds() + kept_.Adds() + laid_; }

  TSurface& Surface() { return surface_; }
  const TPixelFormat& PixelFormat() const { return surface_.Format(); }
  TRect SurfaceRect() const { return surface_.ClientRect(); }
  void Fill(uint32_t pixel) { surface_.Fill(pixel); }
  void FillRect(const TRect& r, uint32_t pixel) { surface_.FillRect(r, pixel); }

  // The pictures were lost and remade by the window: raises OnRestoreSurface.
  void SurfacesRestored();
  // The display's own mouse cursor: the normal arrow, or none.
  void SetArrowCursor(bool arrow);

  IVideoOutput* Output() const { return output_; }
  uint32_t FlipCount() const { return flips_; }

  std::function<void()> OnInitialize, OnFinalize, OnRestoreSurface;

 private:
  static uint32_t NextGeneration();
  // The background again in r, unrecorded (it is added to the changes to show).
  void LayBack(const TRect& r);
  // The kept part's place laid again from the background; nothing is kept after.
  void RestoreKept();
  void ForgetKept();
  // A background laid again (only where restored, plus bgChanged): the kept part stays when
  // none of that touches it and it was drawn or kept in the last frame.
  void SettleKept(const TDamage* bgChanged);
  // Before r is drawn on: a kept part under r, not yet reached this frame, is laid again first.
  void GuardKept(const TRect& r);

  IVideoOutput* output_;
  TSurface surface_;
  // Drawn since the background was last laid (to be restored), and changed since the last flip
  // (to be shown); what is drawn goes to both.
  TDamage drawn_, changed_;
  // The kept part: where it drew (also shown), the key it was drawn with, and whether it is on
  // the surface from an earlier frame (Waiting) or was drawn or kept this frame (Current).
  enum class TKept { None, Drawing, Current, Waiting };
  TDamage kept_;
  std::vector<int32_t> keptKey_;
  TKept keptState_ = TKept::None;
  bool partial_ = true;
  const TSurface* bg_ = nullptr;  // the last background: a picture, or a fill of bgPixel_
  uint32_t bgPixel_ = 0;
  bool bgValid_ = false;
  uint32_t generation_ = NextGeneration();
  uint64_t laid_ = 0;  // backgrounds laid and invalidations, for DrawCount
  bool initialized_ = false;
  bool initializing_ = false;
  uint32_t flips_ = 0;
};
