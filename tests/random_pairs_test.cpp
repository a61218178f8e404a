#include "estimator/random_pairs.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "support/fakes.h"

namespace orvanel {
namespace {

using testing::ScriptedGenerator;

constexpr float kLargestDraw = 1.0f - 1.0f / 16'777'216.0f;  // 1 - 2^-24

TEST(DrawRandomPair, EdgeDrawsGiveTheEdgesOfTheRanges) {
  ScriptedGenerator zeros{0.0f};
  EXPECT_EQ(DrawRandomPair(zeros), (Pair{2, 2}));

  ScriptedGenerator largest{kLargestDraw};
  EXPECT_EQ(DrawRandomPair(largest), (Pair{2147483509, 2147483635}));
}

TEST(DrawRandomPair, AHalfRoundsTheTieToEven) {
  ScriptedGenerator half{0.5f, 0.0f};
  EXPECT_EQ(DrawRandomPair(half), (Pair{1073741820, 1073741820}));
}

TEST(DrawRandomPair, SecondIsDrawnFromTheStretchAboveFirst) {
  testing::SeededGenerator generator(7);
  for (int i = 0; i < 100'000; ++i) {
    const Pair pair = DrawRandomPair(generator);
    ASSERT_GE(pair.first, 2);
    ASSERT_LE(pair.first, 2147483509);
    ASSERT_GE(pair.second, pair.first);
    ASSERT_LE(pair.second, 2147483635);
  }
}

TEST(ClockSeededGenerator, DrawsAreMultiplesOfTwoToTheMinus24BelowOne) {
  ClockSeededGenerator generator;
  generator.SeedFromClock();
  double sum = 0;
  constexpr int kDraws = 200'000;
  for (int i = 0; i < kDraws; ++i) {
    const float r = generator.Next();
    ASSERT_GE(r, 0.0f);
    ASSERT_LE(r, kLargestDraw);
    const float scaled = r * 16'777'216.0f;
    ASSERT_EQ(scaled, std::floor(scaled));
    sum += r;
  }
  EXPECT_NEAR(sum / kDraws, 0.5, 0.01);
}

TEST(ClockSeededGenerator, TwoSeedingsAtDifferentTimesDiffer) {
  ClockSeededGenerator a;
  ClockSeededGenerator b;
  a.SeedFromClock();
  // Wait for the clock to move on: some clocks tick only every 100 ns or more.
  const auto seeded = std::chrono::high_resolution_clock::now();
  while (std::chrono::high_resolution_clock::now() == seeded) {
  }
  b.SeedFromClock();
  bool differs = false;
  for (int i = 0; i < 8 && !differs; ++i) differs = a.Next() != b.Next();
  EXPECT_TRUE(differs);
}

}  // namespace
}  // namespace orvanel
