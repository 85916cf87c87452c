#include "platform/shared_library.h"

#include <dlfcn.h>

TSharedLibrary::TSharedLibrary(const std::string& name)
    : handle_(dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL)) {}

TSharedLibrary::~TSharedLibrary() {
  if (handle_) dlclose(handle_);
}

void* TSharedLibrary::Symbol(const char* name) const {
  return handle_ ? dlsym(handle_, name) : nullptr;
}
