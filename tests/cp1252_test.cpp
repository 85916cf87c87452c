// Typed text to Windows-1252 bytes and back.
#include "game/cp1252.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1252, KeepsWhatTheCodePageHasAndDropsTheRest) {
  struct Case {
    const char* utf8;
    const char* bytes;
  };
  for (const Case c : {Case{"Ann", "Ann"}, Case{"Zoë", "Zo\xEB"}, Case{"€Œ…", "\x80\x8C\x85"},
                       Case{"a中b😀c", "abc"}, Case{"x\xC3", "x"}, Case{"\xFF\x80y", "y"},
                       Case{"\xE2\x82", ""}, Case{"\xC3(", "("}})
    EXPECT_EQ(Cp1252FromUtf8(c.utf8), c.bytes) << c.utf8;
}

TEST(Cp1252, BytesBackToUtf8ForDrawing) {
  EXPECT_EQ(Utf8FromCp1252("Zo\xEB\x80"), "Zoë€");
  EXPECT_EQ(Utf8FromCp1252("\x81\x9F"), "?Ÿ");  // 0x81 has no character
  for (int b = 1; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) continue;
    EXPECT_EQ(Cp1252FromUtf8(Utf8FromCp1252(one)), one) << b;
  }
}

}  // namespace
