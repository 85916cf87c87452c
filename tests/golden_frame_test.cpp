// The first frame of level 1 as the game draws it, compared pixel for pixel with a picture that
// was looked at and kept: water, pads, food and diamond, the Dragon, the keys hint and the
// status line, in their order. At 16 bits the same frame goes through the 16-bit routines.
// TARVELLE_UPDATE_GOLDEN=1 writes the pictures anew (look at them before keeping them).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "media/image_decode.h"
#include "media/png_writer.h"
#include "tools/drive/driver.h"
#include "tools/drive/script.h"

namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

class GoldenFrame : public ::testing::TestWithParam<int> {};

TEST_P(GoldenFrame, FirstFrameOfLevel1) {
  const int depth = GetParam();
  const std::string golden =
      std::string(TARVELLE_TEST_DATA) + "/golden/level01_" + std::to_string(depth) + ".png";
  TDriverOptions o;
  o.Data = TARVELLE_BUILD_DIR;
  o.Depth = depth;
  o.Seed = 1;
  THeadlessDriver driver(o);
  std::ostringstream out;
  driver.Run(ParseScript("difficulty 1\nstart 1\nframes 1\n"), out);
  const TSurface& frame = driver.Form().DXDraw.Surface();
  ASSERT_EQ(frame.Format().BitCount, depth);

  if (getenv("TARVELLE_UPDATE_GOLDEN")) {
    ASSERT_TRUE(WritePng(frame, golden));
    GTEST_SKIP() << "wrote " << golden;
  }
  const std::vector<uint8_t> bytes = ReadFile(golden);
  const auto want = DecodeImage(bytes.data(), bytes.size());
  ASSERT_TRUE(want) << "cannot read " << golden;
  ASSERT_EQ(want->Pixels.Width(), 640);
  ASSERT_EQ(want->Pixels.Height(), 480);
  int wrong = 0, firstX = -1, firstY = -1;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      // The picture holds each pixel widened to 8 bits a channel.
      const uint32_t c = PixelToColor(frame.Format(), frame.GetPixel(x, y));
      const uint32_t rgb = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
      if (rgb != want->Pixels.GetPixel(x, y)) {
        if (wrong++ == 0) firstX = x, firstY = y;
      }
    }
  }
  EXPECT_EQ(wrong, 0) << "first different pixel at (" << firstX << ", " << firstY << ")";
}

INSTANTIATE_TEST_SUITE_P(Depths, GoldenFrame, ::testing::Values(32, 16));

}  // namespace
