#include <windows.h>

#include "platform/shared_library.h"
#include "platform/wide_text_windows.h"

TSharedLibrary::TSharedLibrary(const std::string& name)
    : handle_(LoadLibraryW(wide::FromUtf8(name).c_str())) {}

TSharedLibrary::~TSharedLibrary() {
  if (handle_) FreeLibrary(static_cast<HMODULE>(handle_));
}

void* TSharedLibrary::Symbol(const char* name) const {
  return handle_ ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name))
                 : nullptr;
}
