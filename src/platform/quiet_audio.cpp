#include "platform/quiet_audio.h"

#include <dlfcn.h>

namespace {

void NoAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

// ALSA writes its complaints to stderr. SDL loads the same library, so silencing it here
// silences it for SDL too.
void QuietSystemAudio() {
#ifdef __EMSCRIPTEN__
  return;  // the browser has no ALSA, and no dlopen
#endif
  static bool done = false;
  if (done) return;
  done = true;
  void* lib = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
  if (!lib) return;
  using THandler = void (*)(const char*, int, const char*, int, const char*, ...);
  auto set = reinterpret_cast<int (*)(THandler)>(dlsym(lib, "snd_lib_error_set_handler"));
  if (set) set(&NoAlsaMessage);
}
