#include <emscripten.h>

#include <string>

#include "platform/open_url.h"

bool OpenUrl(const std::string& address) {
  // A local file of the game (the help page) is served beside the page itself.
  std::string target = address;
  if (target.rfind("file://", 0) == 0) target = target.substr(target.find_last_of('/') + 1);
  return EM_ASM_INT({ return window.open(UTF8ToString($0), "_blank") ? 1 : 0; },
                    target.c_str()) != 0;
}
