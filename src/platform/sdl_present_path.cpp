#include "platform/sdl_present_path.h"

#include <chrono>
#include <cstring>
#include <filesystem>

namespace {

const auto programStart = std::chrono::steady_clock::now();

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

}  // namespace

uint32_t MsSinceStart() {
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                   std::chrono::steady_clock::now() - programStart)
                                   .count());
}

TPresentPath ChoosePresentPath(int width, int height, uint32_t windowFlags) {
  TPresentPath p;
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* forced = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
  if (driver && std::strcmp(driver, "dummy") == 0) {
    // Headless: nothing to choose, nothing to log.
  } else if (forced && *forced) {
    p.Window.reset(MakeWindow(width, height, windowFlags));
    if (p.Window)
      p.Renderer.reset(SDL_CreateRenderer(p.Window.get(), -1, SDL_RENDERER_PRESENTVSYNC));
    if (p.Renderer)
      p.Why = "renderer " + RendererName(p.Renderer.get()) + " (SDL_RENDER_DRIVER=" + forced + ")";
    else
      p.Why = std::string("window surface (SDL_RENDER_DRIVER=") + forced + " cannot be made)";
  } else if (!HasGpuDevice()) {
    p.Why = "window surface (no graphics device: GL would draw in software)";
  } else {
    p.Window.reset(MakeWindow(width, height, windowFlags));
    if (p.Window)
      p.Renderer.reset(SDL_CreateRenderer(p.Window.get(), -1,
                                          SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC));
    if (!p.Renderer) {
      p.Why = "window surface (no accelerated renderer)";
    } else if (const char* soft = SoftwareRasteriser(p.Renderer.get())) {
      p.Why = std::string("window surface (GL draws in software: ") + soft + ")";
      p.Renderer.reset();
      p.Window.reset();  // made again without GL
    } else {
      p.Why = "renderer " + RendererName(p.Renderer.get()) + " (accelerated)";
    }
  }
  if (!p.Renderer) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (!p.Window) p.Window.reset(MakeWindow(width, height, windowFlags));
  }
  return p;
}
