// The game window on SDL2: one software picture shown scaled to the window (platform/picture_fit.h).
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/sdl_focus.h"
#include "platform/sdl_gamepad.h"
#include "platform/sdl_handles.h"
#include "platform/keys.h"
#include "platform/picture_fit.h"
#include "platform/sdl_keys.h"
#include "platform/sdl_present_path.h"
#include "platform/video.h"
#ifdef __EMSCRIPTEN__
#include <emscripten.h>

#include "platform/web_canvas.h"
#include "platform/web_page.h"
#endif

namespace {

uint32_t SdlFormatOf(const TPixelFormat& f) {
  switch (f.BitCount) {
    case 16:
      return f.Is565() ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB555;
    case 24:
      return SDL_PIXELFORMAT_BGR24;  // bytes blue, green, red
    default:
      return SDL_PIXELFORMAT_RGB888;  // 32-bit XRGB
  }
}

class TSdlVideo final : public IVideoOutput {
 public:
  TSdlVideo() : video_(SDL_INIT_VIDEO) {}
  ~TSdlVideo() override { Close(); }

  void Open(int width, int height, int /*bitCount*/) override {
    Close();
    if (!video_.Ok()) throw EVideoError(std::string("no video driver (") + SDL_GetError() + ")");
    width_ = width;
    height_ = height;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // Wayland lets no program move the pointer; SDL would lock it in the window instead (while
    // the game hides it), so the menu's pointer moves stay inside the game.
    SDL_SetHint("SDL_VIDEO_WAYLAND_EMULATE_MOUSE_WARP", "0");
    // Touches are read as touches (a swipe hops), not as a mouse.
    SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");
    TPresentPath path =
        ChoosePresentPath(width, height, SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    window_ = std::move(path.Window);
    renderer_ = std::move(path.Renderer);
    if (!window_) throw EVideoError(path.Error);
    logs_ = !path.Why.empty();
    if (!loggedPath_ && logs_)
      std::fprintf(stderr, "tarvelle: picture shown through %s\n", path.Why.c_str());
    loggedPath_ = true;
    vsync_ = false;
    if (renderer_) {
      SDL_RendererInfo info{};
      SDL_GetRendererInfo(renderer_.get(), &info);
      vsync_ = (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
    }
    SDL_DisplayMode mode{};
    refreshHz_ = 60;
    if (SDL_GetWindowDisplayMode(window_.get(), &mode) == 0 && mode.refresh_rate > 0)
      refreshHz_ = mode.refresh_rate;
    SDL_ShowWindow(window_.get());
    MapAtOnce();
    inside_ = SDL_GetMouseFocus() == window_.get();
    SDL_StopTextInput();
#ifdef __EMSCRIPTEN__
    // A phone's or a tablet's page: the picture fills the screen from the first frame.
    touchScreen_ = touchScreen_ || EM_ASM_INT({
      return window.matchMedia && window.matchMedia("(pointer: coarse)").matches ? 1 : 0;
    }) != 0;
#endif
    // A pad plugged in before the window opened (its "added" event may have gone to the
    // launcher's window) is taken at once.
    pads_.OpenConnected();
    pads_.SetReadByHand(true);
    nextPresent_ = 0;
  }

  void Close() override {
    pads_.SetReadByHand(false);
    texture_.reset();
    renderer_.reset();
    picture_.reset();
    window_.reset();
    screen_ = nullptr;
  }

  bool IsOpen() const override { return window_ != nullptr; }

  void Present(const TSurface& pic) override { Show(pic, nullptr); }

  void PresentRects(const TSurface& pic, const std::vector<TRect>& changed) override {
    Show(pic, &changed);
  }

  // Shows the picture, or only the changed rectangles of it where the window already holds the
  // rest (shown at its own size, nothing of the window's borders to clear).
  void Show(const TSurface& pic, const std::vector<TRect>* changed) {
    if (!window_) return;
    int ww = 0, wh = 0;
    OutputSize(ww, wh);
    Layout(ww, wh, pic.Width(), pic.Height());
#ifdef __EMSCRIPTEN__
    canvas_.Show(pic, changed, Bounds(dest_.x, dest_.y, dest_.w, dest_.h), PixelRatio(), smooth_);
#else
    if (renderer_)
      PresentTexture(pic, changed);
    else
      PresentSurface(pic, changed);
#endif
    if (!shownFirst_ && logs_)
      std::fprintf(stderr, "tarvelle: first frame shown %u ms after start\n", MsSinceStart());
    shownFirst_ = true;
    Pace();
  }

  bool PollEvent(TInputEvent& e) override {
    pads_.Read();
    SDL_Event ev;
    while (SDL_PollEvent(&ev))
      if (Translate(ev, e)) return true;
    return false;
  }

  bool WaitEvent(TInputEvent& e, int timeoutMs) override {
    pads_.Read();
    SDL_Event ev;
    if (!SDL_WaitEventTimeout(&ev, timeoutMs)) return false;
    if (Translate(ev, e)) return true;
    return PollEvent(e);
  }

  TPadStick PadStick() const override { return pads_.Stick(); }

  void SetCursorVisible(bool visible) override {
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
  }

  void SetTextInput(bool on) override {
    if (on)
      SDL_StartTextInput();
    else
      SDL_StopTextInput();
#ifdef __EMSCRIPTEN__
    web_page::TextInput(on);  // the page brings up a phone's keyboard
#endif
  }

  void ToggleFullScreen() override {
    if (!window_) return;
    const bool full = SDL_GetWindowFlags(window_.get()) & SDL_WINDOW_FULLSCREEN_DESKTOP;
    SDL_SetWindowFullscreen(window_.get(), full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
  }

  bool IsMinimized() const override {
    return window_ && (SDL_GetWindowFlags(window_.get()) & SDL_WINDOW_MINIMIZED);
  }

  // Outside the window the pointer is reported at (-1, -1), outside the picture.
  TPoint PointerPosition() const override { return inside_ ? pointer_ : TPoint{-1, -1}; }

  void WarpPointer(TPoint p) override {
    pointer_ = p;
    inside_ = true;
    if (!window_ || dest_.w <= 0 || dest_.h <= 0) return;
    // Picture pixels to output pixels, then to window points.
    double sx = 1.0, sy = 1.0;
    PixelsPerPoint(sx, sy);
    SDL_WarpMouseInWindow(window_.get(), int((dest_.x + (p.X + 0.5) * dest_.w / width_) / sx),
                          int((dest_.y + (p.Y + 0.5) * dest_.h / height_) / sy));
  }

  void SetPacing(bool on) override { pacing_ = on; }

 private:
  // A Wayland compositor maps a window, and gives it the keyboard focus, only once it has a
  // picture; a game that waits for the focus before its first frame would wait for ever.
  void MapAtOnce() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "wayland") != 0) return;
    if (renderer_) {
      SDL_SetRenderDrawColor(renderer_.get(), 0, 0, 0, 255);
      SDL_RenderClear(renderer_.get());
      SDL_RenderPresent(renderer_.get());
    } else if (SDL_Surface* screen = SDL_GetWindowSurface(window_.get())) {
      SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
      SDL_UpdateWindowSurface(window_.get());
    }
  }

  void OutputSize(int& w, int& h) const {
#ifdef __EMSCRIPTEN__
    // The screen's own pixels under the page's canvas.
    const double ratio = PixelRatio();
    SDL_GetWindowSize(window_.get(), &w, &h);
    w = int(std::lround(w * ratio));
    h = int(std::lround(h * ratio));
#else
    if (renderer_)
      SDL_GetRendererOutputSize(renderer_.get(), &w, &h);
    else
      SDL_GetWindowSize(window_.get(), &w, &h);
#endif
  }

#ifdef __EMSCRIPTEN__
  static double PixelRatio() {
    const double r = emscripten_get_device_pixel_ratio();
    return r > 0 ? r : 1.0;
  }
#endif

  // Output pixels per window point on each axis (more than 1 on high-density screens).
  void PixelsPerPoint(double& sx, double& sy) const {
    int ww = 0, wh = 0, ow = 0, oh = 0;
    SDL_GetWindowSize(window_.get(), &ww, &wh);
    OutputSize(ow, oh);
    sx = ww > 0 && ow > 0 ? double(ow) / ww : 1.0;
    sy = wh > 0 && oh > 0 ? double(oh) / wh : 1.0;
  }

  // The picture's place in the window: crisp whole multiples, or filling the limiting side.
  void Layout(int ww, int wh, int pw, int ph) {
    if (pw <= 0 || ph <= 0) return;
    const TPictureFit fit = FitPicture(ww, wh, pw, ph, touchScreen_);
    const TRect& r = fit.Dest;
    const SDL_Rect d{r.Left, r.Top, r.Width(), r.Height()};
    if (d.x != dest_.x || d.y != dest_.y || d.w != dest_.w || d.h != dest_.h) clearBorders_ = 2;
    dest_ = d;
    smooth_ = fit.Smooth;
  }

  void PresentTexture(const TSurface& pic, const std::vector<TRect>* changed) {
    const uint32_t fmt = SdlFormatOf(pic.Format());
    if (!texture_ || textureFormat_ != fmt || textureW_ != pic.Width() ||
        textureH_ != pic.Height() || textureSmooth_ != smooth_) {
      changed = nullptr;
      // A scale that is no whole multiple is filtered (the hint counts where the renderer
      // takes no scale mode of a texture).
      SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, smooth_ ? "1" : "0");
      texture_.reset(SDL_CreateTexture(renderer_.get(), fmt, SDL_TEXTUREACCESS_STREAMING,
                                       pic.Width(), pic.Height()));
      textureFormat_ = fmt;
      textureW_ = pic.Width();
      textureH_ = pic.Height();
      textureSmooth_ = smooth_;
      if (!texture_) return;
      SDL_SetTextureScaleMode(texture_.get(), smooth_ ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    }
    if (!changed) {
      SDL_UpdateTexture(texture_.get(), nullptr, pic.Pixels(), pic.Pitch());
    } else {
      // The texture keeps the rest of the last picture.
      const int bpp = pic.Format().BytesPerPixel();
      for (const TRect& r : *changed) {
        const SDL_Rect sr{r.Left, r.Top, r.Width(), r.Height()};
        SDL_UpdateTexture(texture_.get(), &sr, pic.Row(r.Top) + r.Left * bpp, pic.Pitch());
      }
    }
    SDL_SetRenderDrawColor(renderer_.get(), 0, 0, 0, 255);
    SDL_RenderClear(renderer_.get());
    SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, &dest_);
    SDL_RenderPresent(renderer_.get());
  }

  void PresentSurface(const TSurface& pic, const std::vector<TRect>* changed) {
    SDL_Surface* screen = SDL_GetWindowSurface(window_.get());
    if (!screen) return;
    // A new window surface (the window was resized) holds nothing of the last picture.
    if (screen != screen_) changed = nullptr;
    screen_ = screen;
    const uint32_t fmt = SdlFormatOf(pic.Format());
    if (!picture_ || picture_->pixels != pic.Pixels() || picture_->w != pic.Width() ||
        picture_->h != pic.Height() || picture_->format->format != fmt) {
      picture_.reset(SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(pic.Pixels()),
                                                        pic.Width(), pic.Height(),
                                                        pic.Format().BitCount, pic.Pitch(), fmt));
      if (!picture_) return;
      SDL_SetSurfaceBlendMode(picture_.get(), SDL_BLENDMODE_NONE);
      changed = nullptr;
    }
    if (changed && clearBorders_ == 0 && dest_.w == pic.Width() && dest_.h == pic.Height()) {
      rects_.clear();
      // The window surface holds the picture as last shown: where it is in the picture's own
      // format, the rows of a rectangle that came out the same (a picture drawn again where it
      // was) are left out, and a rectangle with none that differ is not sent at all.
      const bool same = screen->format->format == fmt && !SDL_MUSTLOCK(screen);
      const int bpp = pic.Format().BytesPerPixel();
      for (TRect r : *changed) {
        r = Intersect(r, pic.ClientRect());
        if (r.Empty()) continue;
        if (same) {
          const auto differs = [&](int y) {
            const uint8_t* shown = static_cast<const uint8_t*>(screen->pixels) +
                                   size_t(dest_.y + y) * screen->pitch + (dest_.x + r.Left) * bpp;
            return std::memcmp(shown, pic.Row(y) + r.Left * bpp, size_t(r.Width()) * bpp) != 0;
          };
          while (r.Top < r.Bottom && !differs(r.Top)) ++r.Top;
          while (r.Bottom > r.Top && !differs(r.Bottom - 1)) --r.Bottom;
          if (r.Empty()) continue;
        }
        SDL_Rect sr{r.Left, r.Top, r.Width(), r.Height()};
        SDL_Rect d{dest_.x + r.Left, dest_.y + r.Top, r.Width(), r.Height()};
        SDL_BlitSurface(picture_.get(), &sr, screen, &d);
        rects_.push_back(d);
      }
      if (!rects_.empty())
        SDL_UpdateWindowSurfaceRects(window_.get(), rects_.data(), static_cast<int>(rects_.size()));
      return;
    }
    if (clearBorders_ > 0) {
      SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
      --clearBorders_;
    }
    SDL_Rect d = dest_;
    if (d.w == pic.Width() && d.h == pic.Height())
      SDL_BlitSurface(picture_.get(), nullptr, screen, &d);
    else
      SDL_BlitScaled(picture_.get(), nullptr, screen, &d);
    SDL_UpdateWindowSurface(window_.get());
  }

  // Without vertical sync, wait out the rest of the refresh period so a frame never spins. The
  // next frame's own pause (the "Sleep" setting) is waited here too: one wake-up a frame.
  void Pace() {
#ifdef __EMSCRIPTEN__
    return;  // the browser paces the frames
#endif
    if (vsync_ || !pacing_) return;
    const uint64_t freq = SDL_GetPerformanceFrequency();
    const uint64_t period = freq / uint64_t(refreshHz_);
    uint64_t now = SDL_GetPerformanceCounter();
    if (nextPresent_ == 0 || now > nextPresent_ + period) nextPresent_ = now;
    const uint32_t ms = now < nextPresent_ ? uint32_t((nextPresent_ - now) * 1000 / freq) : 0;
    const uint32_t pause = frame_pause::Next();
    if (ms + pause > 0) SDL_Delay(ms + pause);
    if (pause > 0) frame_pause::TakenAhead();
    nextPresent_ += period;
  }

  TPoint ToPicture(int wx, int wy) const {
    if (dest_.w <= 0 || dest_.h <= 0) return {wx, wy};
    double sx = 1.0, sy = 1.0;
    PixelsPerPoint(sx, sy);
    // A point on the black bars around the picture lies outside it, below 0 or past its size.
    return OutputToPicture(Bounds(dest_.x, dest_.y, dest_.w, dest_.h), width_, height_, wx * sx,
                           wy * sy);
  }

  // A finger's place (0 .. 1 across the window) in picture pixels.
  TPoint FingerToPicture(float fx, float fy) const {
    int ww = width_, wh = height_;
    if (window_) SDL_GetWindowSize(window_.get(), &ww, &wh);
    return ToPicture(int(fx * float(ww)), int(fy * float(wh)));
  }

  bool Translate(const SDL_Event& ev, TInputEvent& e) {
    e = TInputEvent{};
    switch (ev.type) {
      case SDL_KEYDOWN:
      case SDL_KEYUP: {
        e.Kind = ev.type == SDL_KEYDOWN ? TInputEvent::KeyDown : TInputEvent::KeyUp;
        e.Key = KeyCodeFromSdl(ev.key.keysym.sym, ev.key.keysym.scancode, ev.key.keysym.mod);
        e.Shift = ShiftFromSdl(ev.key.keysym.mod);
        e.Repeat = ev.key.repeat != 0;
        // Alt+Enter and F11 switch full screen; the game still sees the key.
        if (e.Kind == TInputEvent::KeyDown && !e.Repeat &&
            ((e.Key == vk::Return && (e.Shift & vk::ssAlt)) || e.Key == vk::F11))
          ToggleFullScreen();
        return true;
      }
      case SDL_TEXTINPUT:
        e.Kind = TInputEvent::TextInput;
        e.Text = ev.text.text;
        return true;
      case SDL_MOUSEMOTION: {
        pointer_ = ToPicture(ev.motion.x, ev.motion.y);
        inside_ = true;
        e.Kind = TInputEvent::MouseMove;
        e.X = pointer_.X;
        e.Y = pointer_.Y;
        return true;
      }
      case SDL_MOUSEBUTTONUP: {
        pointer_ = ToPicture(ev.button.x, ev.button.y);
        e.Kind = TInputEvent::MouseUp;
        e.Button = ev.button.button == SDL_BUTTON_LEFT     ? 0
                   : ev.button.button == SDL_BUTTON_RIGHT  ? 1
                   : ev.button.button == SDL_BUTTON_MIDDLE ? 2
                                                           : 3;
        e.Shift = ShiftFromSdl(uint16_t(SDL_GetModState()));
        e.X = pointer_.X;
        e.Y = pointer_.Y;
        return true;
      }
      case SDL_FINGERDOWN:
        touchScreen_ = true;
        if (touching_) return false;  // one finger at a time
        touching_ = true;
        touchFinger_ = ev.tfinger.fingerId;
        touchDown_ = FingerToPicture(ev.tfinger.x, ev.tfinger.y);
        return false;
      case SDL_FINGERUP: {
        if (!touching_ || ev.tfinger.fingerId != touchFinger_) return false;
        touching_ = false;
        const TPoint up = FingerToPicture(ev.tfinger.x, ev.tfinger.y);
        e.Kind = TInputEvent::Touch;
        e.DownX = touchDown_.X;
        e.DownY = touchDown_.Y;
        e.X = up.X;
        e.Y = up.Y;
        return true;
      }
      case SDL_WINDOWEVENT:
        // Only this window's own: the launcher's window, closed before, may have left some.
        if (!window_ || ev.window.windowID != SDL_GetWindowID(window_.get())) return false;
        switch (ev.window.event) {
          case SDL_WINDOWEVENT_FOCUS_GAINED:
            e.Kind = TInputEvent::FocusGained;
            return true;
          case SDL_WINDOWEVENT_FOCUS_LOST:
            if (FocusComesBackAtOnce(window_.get())) return false;
            e.Kind = TInputEvent::FocusLost;
            return true;
          case SDL_WINDOWEVENT_MINIMIZED:
            e.Kind = TInputEvent::Minimized;
            return true;
          case SDL_WINDOWEVENT_RESTORED:
            e.Kind = TInputEvent::Restored;
            clearBorders_ = 2;
            return true;
          case SDL_WINDOWEVENT_ENTER:
            inside_ = true;
            return false;
          case SDL_WINDOWEVENT_LEAVE:
            inside_ = false;
            return false;
          case SDL_WINDOWEVENT_CLOSE:
            e.Kind = TInputEvent::CloseRequest;
            return true;
          case SDL_WINDOWEVENT_SIZE_CHANGED:
          case SDL_WINDOWEVENT_EXPOSED:
            clearBorders_ = 2;
            e.Kind = TInputEvent::Exposed;
            return true;
          default:
            return false;
        }
      case SDL_QUIT:
        e.Kind = TInputEvent::CloseRequest;
        return true;
      case SDL_RENDER_TARGETS_RESET:
      case SDL_RENDER_DEVICE_RESET:
        texture_.reset();  // made again on the next present
        e.Kind = TInputEvent::DeviceReset;
        return true;
      case SDL_DISPLAYEVENT:
        e.Kind = TInputEvent::DisplayChanged;
        return true;
      default:
        return pads_.Translate(ev, e);
    }
  }

  TSdlSubsystem video_;
  TSdlGamepads pads_;
  bool touching_ = false;
  SDL_FingerID touchFinger_ = 0;
  TPoint touchDown_;
  TSdlWindow window_;
  TSdlRenderer renderer_;
  TSdlTexture texture_;
  TSdlSurface picture_;
  uint32_t textureFormat_ = 0;
  int textureW_ = 0, textureH_ = 0;
  int width_ = 640, height_ = 480;
  SDL_Rect dest_{0, 0, 0, 0};
  bool smooth_ = false, textureSmooth_ = false;
  bool touchScreen_ = false;  // a finger has touched, or the page is a phone's
  int clearBorders_ = 2;
  bool vsync_ = false;
  bool pacing_ = true;
  bool logs_ = false, loggedPath_ = false, shownFirst_ = false;
  int refreshHz_ = 60;
  uint64_t nextPresent_ = 0;
  SDL_Surface* screen_ = nullptr;  // the window surface the last picture went to
#ifdef __EMSCRIPTEN__
  TWebCanvas canvas_;
#endif
  std::vector<SDL_Rect> rects_;
  TPoint pointer_;
  bool inside_ = false;  // the pointer is over the window
};

}  // namespace

std::unique_ptr<IVideoOutput> CreateSdlVideo() {
  return std::make_unique<TSdlVideo>();
}
