#pragma once
#include <string>

// Windows' system calls take UTF-16; the game's strings are UTF-8.
namespace wide {

std::wstring FromUtf8(const std::string& utf8);
std::string ToUtf8(const std::wstring& text);

}  // namespace wide
