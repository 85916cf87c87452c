#pragma once
#include "platform/video.h"

// A game window that is never shown: the game draws into its own surface as always, and nothing
// reaches the screen (the level editor's pictures of a level, the drawing benchmark).
class TNullVideo final : public IVideoOutput {
 public:
  void Open(int, int, int) override { open_ = true; }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  void Present(const TSurface&) override {}
  bool PollEvent(TInputEvent&) override { return false; }
  bool WaitEvent(TInputEvent&, int) override { return false; }
  void SetCursorVisible(bool) override {}
  void SetTextInput(bool) override {}
  void ToggleFullScreen() override {}
  bool IsMinimized() const override { return false; }
  TPoint PointerPosition() const override { return {}; }
  void WarpPointer(TPoint) override {}
  void SetPacing(bool) override {}

 private:
  bool open_ = false;
};
