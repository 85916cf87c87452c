#include "media/dxdraw.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/video.h"

uint32_t TDXDraw::NextGeneration() {
  static uint32_t last = 0;
  return ++last;
}

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
  Invalidate();
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
  // A kept part this frame did not draw is no part of its picture.
  if (keptState_ == TKept::Waiting) RestoreKept();
  if (partial_ && !changed_.Whole())
    output_->PresentRects(surface_, changed_.Rects());
  else
    output_->Present(surface_);
  changed_.Clear();
}

void TDXDraw::ShowAgain() {
  if (initialized_) output_->Present(surface_);
}

void TDXDraw::SurfacesRestored() {
  Invalidate();
  if (initialized_ && OnRestoreSurface) OnRestoreSurface();
}

void TDXDraw::DrawBackground(const TSurface& bg, const TDamage* bgChanged) {
  ++laid_;
  if (partial_ && bgValid_ && bg_ == &bg && !drawn_.Whole() && !(bgChanged && bgChanged->Whole())) {
    // Only where the last pictures were drawn, or bg changed; the rest still holds bg.
    surface_.Watch(nullptr);
    for (const TRect& r : drawn_.Rects()) {
      surface_.CopyFrom(r.Left, r.Top, bg, r);
      changed_.Add(r);
    }
    if (bgChanged)
      for (const TRect& r : bgChanged->Rects()) {
        surface_.CopyFrom(r.Left, r.Top, bg, r);
        changed_.Add(r);
      }
    SettleKept(bgChanged);
    surface_.Watch(&drawn_);
    drawn_.Clear();
    return;
  }
  ForgetKept();
  surface_.Watch(nullptr);
  surface_.CopyFrom(0, 0, bg, surface_.ClientRect());
  surface_.Watch(&drawn_);
  drawn_.Clear();
  changed_.SetWhole();
  // A background smaller than the surface leaves a part of the old picture that is not bg.
  bgValid_ = bg.Width() >= surface_.Width() && bg.Height() >= surface_.Height() &&
             bg.Format() == surface_.Format();
  bg_ = &bg;
}

void TDXDraw::FillBackground(uint32_t pixel) {
  ++laid_;
  if (partial_ && bgValid_ && !bg_ && bgPixel_ == pixel && !drawn_.Whole()) {
    surface_.Watch(nullptr);
    for (const TRect& r : drawn_.Rects()) {
      surface_.FillRect(r, pixel);
      changed_.Add(r);
    }
    SettleKept(nullptr);
    surface_.Watch(&drawn_);
    drawn_.Clear();
    return;
  }
  ForgetKept();
  surface_.Watch(nullptr);
  surface_.Fill(pixel);
  surface_.Watch(&drawn_);
  drawn_.Clear();
  changed_.SetWhole();
  bg_ = nullptr;
  bgPixel_ = pixel;
  bgValid_ = true;
}

void TDXDraw::SetPartialDrawing(bool on) {
  partial_ = on;
  Invalidate();
}

void TDXDraw::Invalidate() {
  ForgetKept();
  ++laid_;
  generation_ = NextGeneration();
  bgValid_ = false;
  changed_.SetWhole();
}

void TDXDraw::SetArrowCursor(bool arrow) {
  if (output_) output_->SetCursorVisible(arrow);
}

void TDXDraw::LayBack(const TRect& r) {
  TDamage* const watching = surface_.Watched();
  surface_.Watch(nullptr);
  if (bg_)
    surface_.CopyFrom(r.Left, r.Top, *bg_, r);
  else
    surface_.FillRect(r, bgPixel_);
  surface_.Watch(watching);
  changed_.Add(r);
}

void TDXDraw::RestoreKept() {
  ++laid_;
  if (bgValid_)
    for (const TRect& r : kept_.Rects()) LayBack(r);
  ForgetKept();
}

void TDXDraw::ForgetKept() {
  kept_.Clear();
  keptKey_.clear();
  keptState_ = TKept::None;
}

void TDXDraw::SettleKept(const TDamage* bgChanged) {
  if (keptState_ == TKept::None) return;
  const auto touches = [this](const TDamage& d) {
    for (const TRect& r : d.Rects())
      for (const TRect& k : kept_.Rects())
        if (Overlaps(r, k)) return true;
    return false;
  };
  // Not reached in the last frame (it is not to be shown), or laid over in part: laid again.
  if (keptState_ != TKept::Current || touches(drawn_) || (bgChanged && touches(*bgChanged)))
    RestoreKept();
  else
    keptState_ = TKept::Waiting;
}

void TDXDraw::GuardKept(const TRect& r) {
  if (keptState_ != TKept::Waiting) return;
  for (const TRect& k : kept_.Rects())
    if (Overlaps(r, k)) {
      RestoreKept();
      return;
    }
}

bool TDXDraw::BeginKept(std::span<const int32_t> key) {
  if (!partial_ || keptState_ == TKept::Drawing) return false;
  if (keptState_ == TKept::Waiting && bgValid_ &&
      std::equal(key.begin(), key.end(), keptKey_.begin(), keptKey_.end())) {
    keptState_ = TKept::Current;
    return true;
  }
  if (keptState_ == TKept::Waiting) {
    // Nothing was drawn on its place since the background was laid (GuardKept): laying it
    // again now is what laying it with the background would have done.
    RestoreKept();
  } else if (keptState_ == TKept::Current) {
    // Drawn a second time before the next background: the first drawing stays under the new one
    // and is laid over with the background, like any other.
    for (const TRect& r : kept_.Rects()) drawn_.Add(r);
    ForgetKept();
  }
  kept_.Clear();
  keptKey_.assign(key.begin(), key.end());
  keptState_ = TKept::Drawing;
  surface_.Watch(&kept_);
  return false;
}

void TDXDraw::EndKept() {
  if (keptState_ != TKept::Drawing) return;
  surface_.Watch(&drawn_);
  keptState_ = TKept::Current;
}
