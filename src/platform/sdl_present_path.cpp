#include "platform/sdl_present_path.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#if defined(__linux__) && !defined(__EMSCRIPTEN__)
#include <time.h>
#include <unistd.h>
#endif

namespace {

using TSteady = std::chrono::steady_clock;

// When the process started, on the steady clock. On Linux the kernel's own record of the
// start (in clock ticks since boot, so up to a tick early), which counts the loading of the
// shared libraries before any of the program's code runs; elsewhere the first moment the
// program's own code ran.
TSteady::time_point ProcessStart() {
  const TSteady::time_point now = TSteady::now();
#if defined(__linux__) && !defined(__EMSCRIPTEN__)
  std::ifstream in("/proc/self/stat");
  std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Fields after the command name (which may hold spaces) in brackets: the start time is the
  // 22nd field, the 20th after the name.
  const size_t close = stat.rfind(')');
  timespec boot{};
  const long ticks = sysconf(_SC_CLK_TCK);
  if (close != std::string::npos && ticks > 0 && clock_gettime(CLOCK_BOOTTIME, &boot) == 0) {
    std::istringstream fields(stat.substr(close + 1));
    std::string field;
    for (int i = 0; i < 19 && fields >> field; ++i) {
    }
    unsigned long long start = 0;
    if (fields >> start) {
      const double age = boot.tv_sec + boot.tv_nsec * 1e-9 - double(start) / double(ticks);
      if (age >= 0 && age < 60)
        return now -
               std::chrono::duration_cast<TSteady::duration>(std::chrono::duration<double>(age));
    }
  }
#endif
  return now;
}

const TSteady::time_point programStart = ProcessStart();

// A device of a graphics processor that GL could drive: a render node of the kernel's direct
// rendering, or the device of the vendor driver that has none. The browser and Windows are
// asked through the renderer instead.
bool HasGpuDevice() {
#if defined(__EMSCRIPTEN__) || defined(_WIN32)
  return true;  // no device files to look at: the renderer's own name tells
#endif
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator("/dev/dri", ec))
    if (e.path().filename().string().rfind("renderD", 0) == 0) return true;
  return std::filesystem::exists("/dev/nvidia0", ec);
}

// The name of the GL driver's rasteriser when it works in software, else nothing.
const char* SoftwareRasteriser(SDL_Renderer* r) {
  SDL_RendererInfo info{};
  if (SDL_GetRendererInfo(r, &info) != 0) return "unknown";
  if (std::strcmp(info.name, "software") == 0) return "software";
  if (std::strncmp(info.name, "opengl", 6) != 0) return nullptr;
  using GetString = const unsigned char* (*)(unsigned);
  auto glGetString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  if (!glGetString) return nullptr;
  const unsigned char* name = glGetString(0x1F01 /* GL_RENDERER */);
  if (!name) return nullptr;
  const char* s = reinterpret_cast<const char*>(name);
  for (const char* soft : {"llvmpipe", "softpipe", "swrast"})
    if (std::strstr(s, soft)) return soft;
  return nullptr;
}

SDL_Window* MakeWindow(int w, int h, uint32_t flags) {
  return SDL_CreateWindow("Tarvelle", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h,
                          flags | SDL_WINDOW_HIDDEN);
}

std::string RendererName(SDL_Renderer* r) {
  SDL_RendererInfo info{};
  return SDL_GetRendererInfo(r, &info) == 0 ? info.name : "?";
}

// SDL's reason for the last failure, or the given one where SDL left none.
std::string SdlReason(const std::string& otherwise) {
  const char* e = SDL_GetError();
  return e && *e ? e : otherwise;
}

// A window with a renderer of its own; on failure nothing, and the reason.
bool TryRenderer(TPresentPath& p, int w, int h, uint32_t windowFlags, uint32_t rendererFlags,
                 std::string& why) {
  SDL_ClearError();
  if (!p.Window) p.Window.reset(MakeWindow(w, h, windowFlags));
  if (!p.Window) {
    why = SdlReason("no window");
    return false;
  }
  p.Renderer.reset(SDL_CreateRenderer(p.Window.get(), -1, rendererFlags));
  if (p.Renderer) return true;
  why = SdlReason("no renderer");
  p.Window.reset();
  return false;
}

// A window shown through its own surface, without SDL's GL-backed stand-in for drivers that
// have none; on failure nothing, and the reason.
bool TrySurface(TPresentPath& p, int w, int h, uint32_t windowFlags, std::string& why) {
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_ClearError();
  p.Window.reset(MakeWindow(w, h, windowFlags));
  if (!p.Window) {
    why = SdlReason("no window");
  } else if (!SDL_GetWindowSurface(p.Window.get())) {
    const char* driver = SDL_GetCurrentVideoDriver();
    why = SdlReason(std::string("the ") + (driver ? driver : "video") +
                    " driver has no window surface of its own");
    p.Window.reset();
  }
  SDL_ResetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION);
  return p.Window != nullptr;
}

}  // namespace

uint32_t MsSinceStart() {
  return static_cast<uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(TSteady::now() - programStart).count());
}

TPresentPath ChoosePresentPath(int width, int height, uint32_t windowFlags) {
  TPresentPath p;
#ifdef __EMSCRIPTEN__
  // The browser: the page shows the picture in a canvas of its own (platform/web_canvas.h), SDL's
  // window is there for the input.
  p.Window.reset(MakeWindow(width, height, windowFlags));
  if (p.Window)
    p.Why = "the page's picture canvas";
  else
    p.Error = SdlReason("no window");
  return p;
#endif
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* forced = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
  std::string noRenderer, noSurface;
  bool rendererTried = false;
  if (driver && std::strcmp(driver, "dummy") == 0) {
    // Headless: nothing to choose, nothing to log.
  } else if (forced && *forced) {
    rendererTried = true;
    if (TryRenderer(p, width, height, windowFlags, SDL_RENDERER_PRESENTVSYNC, noRenderer))
      p.Why = "renderer " + RendererName(p.Renderer.get()) + " (SDL_RENDER_DRIVER=" + forced + ")";
    else
      p.Why = std::string("window surface (SDL_RENDER_DRIVER=") + forced + " cannot be made)";
  } else if (!HasGpuDevice()) {
    p.Why = "window surface (no graphics device: GL would draw in software)";
  } else if (!TryRenderer(p, width, height, windowFlags,
                          SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC, noRenderer)) {
    p.Why = "window surface (no accelerated renderer)";
  } else if (const char* soft = SoftwareRasteriser(p.Renderer.get())) {
    p.Why = std::string("window surface (GL draws in software: ") + soft + ")";
    p.Renderer.reset();
    p.Window.reset();  // made again without GL
  } else {
    p.Why = "renderer " + RendererName(p.Renderer.get()) + " (accelerated)";
  }
  if (p.Renderer || TrySurface(p, width, height, windowFlags, noSurface)) return p;
  // No window surface (SDL 2.26's Wayland driver has none of its own): any renderer will do,
  // GL drawing in software included.
  if (!rendererTried &&
      TryRenderer(p, width, height, windowFlags, SDL_RENDERER_PRESENTVSYNC, noRenderer)) {
    p.Why = "renderer " + RendererName(p.Renderer.get()) + " (no window surface: " + noSurface +
            ")";
    return p;
  }
  p.Why.clear();
  p.Error = "no window surface (" + noSurface + "), no renderer (" + noRenderer + ")";
  return p;
}
