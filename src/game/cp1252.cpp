#include "game/cp1252.h"

#include <cstdint>

namespace {

// Code points of the bytes 0x80..0x9F; 0 where the code page has no character.
constexpr uint16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The byte of a code point, or -1 when the code page lacks it.
int ByteOf(uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] != 0 && kHigh[i] == cp) return 0x80 + i;
  return -1;
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::string Cp1252FromUtf8(const std::string& utf8) {
  std::string out;
  size_t i = 0;
  while (i < utf8.size()) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    int len = c < 0x80             ? 1
              : (c & 0xE0) == 0xC0 ? 2
              : (c & 0xF0) == 0xE0 ? 3
              : (c & 0xF8) == 0xF0 ? 4
                                   : 0;
    if (len == 0 || i + len > utf8.size()) {
      ++i;  // a stray or cut-off byte
      continue;
    }
    uint32_t cp = len == 1 ? c : c & (0x7F >> len);
    bool good = true;
    for (int k = 1; k < len; ++k) {
      const auto d = static_cast<unsigned char>(utf8[i + k]);
      if ((d & 0xC0) != 0x80) good = false;
      cp = (cp << 6) | (d & 0x3F);
    }
    if (!good) {
      ++i;
      continue;
    }
    i += len;
    if (const int b = ByteOf(cp); b >= 0) out += static_cast<char>(b);
  }
  return out;
}

std::string Utf8FromCp1252(const std::string& bytes) {
  std::string out;
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    uint32_t cp = b;
    if (b >= 0x80 && b < 0xA0) cp = kHigh[b - 0x80] ? kHigh[b - 0x80] : '?';
    AppendUtf8(out, cp);
  }
  return out;
}
