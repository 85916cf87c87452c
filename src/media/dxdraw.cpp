#include "media/dxdraw.h"

#include <cstdio>
#include <string>

#include "platform/video.h"

TDXDraw::~TDXDraw() {
  // Closing the window releases everything; the game's own events are not raised then.
  OnFinalize = nullptr;
  Finalize();
}

void TDXDraw::Initialize() {
  Finalize();
  initializing_ = true;
  try {
    if (!output_) throw EDXDrawError("Form not found");
    output_->Open(Display.Width, Display.Height, Display.BitCount);
    surface_.Resize(Display.Width, Display.Height, TPixelFormat::ForDepth(Display.BitCount));
  } catch (const EVideoError& e) {
    initializing_ = false;
    if (output_) output_->Close();
    char msg[96];
    std::snprintf(msg, sizeof msg, "Display mode cannot be changed (%dx%d %dbit)", Display.Width,
                  Display.Height, Display.BitCount);
    // The platform's reason follows, so that the player's report says what was missing.
    const std::string why = e.what();
    throw EDXDrawError(why.empty() ? std::string(msg) : msg + (": " + why));
  }
  initializing_ = false;
  initialized_ = true;
  if (OnInitialize) OnInitialize();
}

void TDXDraw::Finalize() {
  if (!initialized_) return;
  if (OnFinalize) OnFinalize();
  initialized_ = false;
  surface_ = TSurface();
  if (output_) output_->Close();
}

bool TDXDraw::CanDraw() const {
  return initialized_ && !initializing_ && !surface_.IsEmpty();
}

void TDXDraw::Flip() {
  if (!initialized_) return;
  ++flips_;
  output_->Present(surface_);
}

void TDXDraw::ShowAgain() {
  if (initialized_) output_->Present(surface_);
}

void TDXDraw::SurfacesRestored() {
  if (initialized_ && OnRestoreSurface) OnRestoreSurface();
}

void TDXDraw::SetArrowCursor(bool arrow) {
  if (output_) output_->SetCursorVisible(arrow);
}
