#pragma once
#include <deque>

#include "platform/video.h"

// A game window that shows nothing: counts presents, can refuse to open, and hands out
// queued events.
class TFakeVideo : public IVideoOutput {
 public:
  int FailOpens = 0;  // this many Open calls fail
  int Opens = 0, Presents = 0;
  int LastBitCount = 0;
  bool Open_ = false, CursorVisible = true, TextInput = false, Minimized = false;
  std::deque<TInputEvent> Events;
  TPoint Pointer;

  void Open(int, int, int bitCount) override {
    ++Opens;
    LastBitCount = bitCount;
    if (FailOpens > 0) {
      --FailOpens;
      throw EVideoError("no mode");
    }
    Open_ = true;
  }
  void Close() override { Open_ = false; }
  bool IsOpen() const override { return Open_; }
  void Present(const TSurface&) override { ++Presents; }
  bool PollEvent(TInputEvent& e) override {
    if (Events.empty()) return false;
    e = Events.front();
    Events.pop_front();
    return true;
  }
  bool WaitEvent(TInputEvent& e, int) override { return PollEvent(e); }
  void SetCursorVisible(bool v) override { CursorVisible = v; }
  void SetTextInput(bool on) override { TextInput = on; }
  void ToggleFullScreen() override {}
  bool IsMinimized() const override { return Minimized; }
  TPoint PointerPosition() const override { return Pointer; }
  void WarpPointer(TPoint p) override { Pointer = p; }
  void SetPacing(bool) override {}
};
