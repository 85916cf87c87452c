#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "platform/process_env.h"
#include "platform/wide_text_windows.h"

namespace process {

void SetEnvironment(const std::string& name, const std::string& value, bool overwrite) {
  const std::wstring key = wide::FromUtf8(name);
  if (!overwrite && _wgetenv(key.c_str())) return;
  // The C library's copy and the process's own (which SDL reads) both change.
  _wputenv_s(key.c_str(), wide::FromUtf8(value).c_str());
}

std::string MakeTemporaryFolder(const std::string& prefix, const std::string& under) {
  std::wstring temp = wide::FromUtf8(under);
  if (temp.empty()) {
    wchar_t system[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, system);
    if (n == 0 || n > MAX_PATH) return "";
    temp = system;
  }
  if (temp.back() != L'\\' && temp.back() != L'/') temp += L'\\';
  std::random_device seed;
  std::mt19937 random(seed() ^ GetCurrentProcessId());
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::wstring folder = temp + wide::FromUtf8(prefix);
    static const wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
    for (int i = 0; i < 8; ++i) folder += kLetters[random() % 36];
    if (CreateDirectoryW(folder.c_str(), nullptr)) {
      std::string utf8 = wide::ToUtf8(folder);
      for (char& c : utf8)
        if (c == '\\') c = '/';
      return utf8;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) return "";
  }
  return "";
}

std::string MemoryFolder() {
  return "";
}

void BinaryStandardOutput() {
  std::fflush(stdout);
  _setmode(_fileno(stdout), _O_BINARY);
}

void BinaryStandardInput() {
  _setmode(_fileno(stdin), _O_BINARY);
}

}  // namespace process
