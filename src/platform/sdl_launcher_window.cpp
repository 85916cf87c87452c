// The launcher's window on SDL2: not resizable, centred, showing one 32-bit software picture.
#include <SDL.h>

#include "platform/launcher_window.h"
#include "platform/sdl_gamepad.h"
#include "platform/sdl_handles.h"
#include "platform/sdl_keys.h"
#include "platform/video.h"

namespace {

struct TSdlCursorDeleter {
  void operator()(SDL_Cursor* c) const { SDL_FreeCursor(c); }
};
using TSdlCursor = std::unique_ptr<SDL_Cursor, TSdlCursorDeleter>;

class TSdlLauncherWindow final : public ILauncherWindow {
 public:
  TSdlLauncherWindow() : video_(SDL_INIT_VIDEO) {}
  ~TSdlLauncherWindow() override { Hide(); }

  void Show(const std::string& caption, int width, int height) override {
    if (!video_.Ok()) throw EVideoError(std::string("No window can be opened: ") + SDL_GetError());
    window_.reset(SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   width, height, SDL_WINDOW_SHOWN));
    // Its picture goes to the window's surface (SDL makes one on every driver that can draw).
    if (!window_ || !SDL_GetWindowSurface(window_.get())) {
      const std::string why = SDL_GetError();
      window_.reset();
      throw EVideoError("The launcher window cannot be opened: " +
                        (why.empty() ? std::string("it has no surface to draw on") : why));
    }
    hand_.reset(SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND));
    arrow_.reset(SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW));
  }

  void Hide() override {
    if (window_ && arrow_) SDL_SetCursor(arrow_.get());
    window_.reset();
    hand_.reset();
    arrow_.reset();
  }

  void Present(const TSurface& pic) override {
    if (!window_) return;
    SDL_Surface* screen = SDL_GetWindowSurface(window_.get());
    if (!screen) return;
    TSurface copy;
    const TSurface* src = &pic;
    if (pic.Format().BitCount != 32) {
      copy = pic.Converted(TPixelFormat::XRGB8888());
      src = &copy;
    }
    TSdlSurface s(SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(src->Pixels()),
                                                     src->Width(), src->Height(), 32, src->Pitch(),
                                                     SDL_PIXELFORMAT_RGB888));
    if (!s) return;
    SDL_SetSurfaceBlendMode(s.get(), SDL_BLENDMODE_NONE);
    SDL_BlitSurface(s.get(), nullptr, screen, nullptr);
    SDL_UpdateWindowSurface(window_.get());
  }

  bool WaitEvent(TLauncherInput& e, int timeoutMs) override {
    SDL_Event ev;
    if (!SDL_WaitEventTimeout(&ev, timeoutMs)) return false;
    do {
      if (Translate(ev, e)) return true;
    } while (SDL_PollEvent(&ev));
    return false;
  }

  void SetHandCursor(bool hand) override {
    SDL_Cursor* c = hand ? hand_.get() : arrow_.get();
    if (c && c != SDL_GetCursor()) SDL_SetCursor(c);
  }

 private:
  bool Translate(const SDL_Event& ev, TLauncherInput& e) {
    e = TLauncherInput{};
    switch (ev.type) {
      case SDL_KEYDOWN:
        e.Kind = TLauncherInput::KeyDown;
        e.Key = KeyCodeFromSdl(ev.key.keysym.sym, ev.key.keysym.scancode, ev.key.keysym.mod);
        e.Shift = ShiftFromSdl(ev.key.keysym.mod);
        return true;
      case SDL_MOUSEMOTION:
        e.Kind = TLauncherInput::MouseMove;
        e.X = ev.motion.x;
        e.Y = ev.motion.y;
        return true;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        e.Kind =
            ev.type == SDL_MOUSEBUTTONDOWN ? TLauncherInput::MouseDown : TLauncherInput::MouseUp;
        e.Button = ev.button.button == SDL_BUTTON_LEFT ? 0 : 1;
        e.X = ev.button.x;
        e.Y = ev.button.y;
        e.Clicks = ev.button.clicks;
        return true;
      case SDL_QUIT:
        e.Kind = TLauncherInput::Close;
        return true;
      case SDL_WINDOWEVENT:
        if (ev.window.event == SDL_WINDOWEVENT_CLOSE) {
          e.Kind = TLauncherInput::Close;
          return true;
        }
        if (ev.window.event == SDL_WINDOWEVENT_EXPOSED ||
            ev.window.event == SDL_WINDOWEVENT_RESTORED) {
          e.Kind = TLauncherInput::Exposed;
          return true;
        }
        return false;
      default: {
        // The game pad: its D-pad and buttons come as the keys the game gives them.
        TInputEvent pad;
        if (!pads_.Translate(ev, pad) || pad.Kind != TInputEvent::KeyDown) return false;
        e.Kind = TLauncherInput::KeyDown;
        e.Key = pad.Key;
        return true;
      }
    }
  }

  TSdlSubsystem video_;
  TSdlGamepads pads_;
  TSdlWindow window_;
  TSdlCursor hand_, arrow_;
};

}  // namespace

std::unique_ptr<ILauncherWindow> CreateSdlLauncherWindow() {
  return std::make_unique<TSdlLauncherWindow>();
}
