#include "core/random.h"

#include <gtest/gtest.h>

TEST(Random, SequenceForFixedSeed) {
  RandomState = 12345;
  // RandomState = RandomState * 134775813 + 1, result = high word of RandomState * n.
  uint32_t s = 12345;
  for (int i = 0; i < 5; ++i) {
    s = s * 134775813u + 1u;
    EXPECT_EQ(Random(100), static_cast<uint32_t>((uint64_t(s) * 100) >> 32));
  }
  EXPECT_EQ(RandomState, s);
}

TEST(Random, KnownValues) {
  RandomState = 0;
  EXPECT_EQ(Random(1000), 0u);  // state 1: 1 * 1000 >> 32
  EXPECT_EQ(RandomState, 1u);
  EXPECT_EQ(Random(1000), 31u);  // state 134775814
  EXPECT_EQ(RandomState, 134775814u);
}

TEST(Random, ZeroReturnsZeroAndAdvances) {
  RandomState = 7;
  EXPECT_EQ(Random(0), 0u);
  EXPECT_EQ(RandomState, 7u * 134775813u + 1u);
}

TEST(Random, SeedFromTimeOfDay) {
  RandomizeFrom(13, 5, 42, 250);
  EXPECT_EQ(RandomState, uint32_t(((13 * 60 + 5) * 60 + 42) * 1000 + 250));
}
