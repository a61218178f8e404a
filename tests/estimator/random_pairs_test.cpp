#include "estimator/random_pairs.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <vector>

#include <Random123/philox.h>

#include "estimator/draw_stream.h"
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

// Philox4x32-10 as its authors publish it (Random123's known-answer vectors),
// and the draws the generator keeps of it: the top 24 bits of each word.
TEST(ClockSeededGenerator, DrawsPhiloxAsItsAuthorsPublishIt) {
  const struct {
    r123::Philox4x32::ctr_type counter;
    r123::Philox4x32::key_type key;
    std::array<std::uint32_t, 4> words;
  } vectors[] = {
      {{{0, 0, 0, 0}}, {{0, 0}}, {0x6627e8d5, 0xe169c58d, 0xbc57ac4c, 0x9b00dbd8}},
      {{{0xffffffff, 0xffffffff, 0xffffffff, 0xffffffff}},
       {{0xffffffff, 0xffffffff}},
       {0x408f276d, 0x41c83b0e, 0xa20bc7c6, 0x6d5451fd}},
      {{{0x243f6a88, 0x85a308d3, 0x13198a2e, 0x03707344}},
       {{0xa4093822, 0x299f31d0}},
       {0xd16cfe09, 0x94fdcceb, 0x5001e420, 0x24126ea1}},
  };
  for (const auto& v : vectors) {
    const auto words = r123::Philox4x32()(v.counter, v.key);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(words[i], v.words[i]) << i;
  }
  ClockSeededGenerator generator({0, 0});
  for (const std::uint32_t word : vectors[0].words) {
    EXPECT_EQ(generator.Next(), static_cast<float>(word >> 8) / 16'777'216.0f);
  }
}

// Draw n of a run is the same whoever takes it, in whatever order: a run can be
// continued anywhere.
TEST(ClockSeededGenerator, ContinuesFromAnyDraw) {
  ClockSeededGenerator one_by_one({0x9e3779b9, 0x7f4a7c15});
  std::vector<float> draws;
  for (int i = 0; i < 1000; ++i) draws.push_back(one_by_one.Next());
  for (const std::uint64_t from : {0u, 1u, 3u, 4u, 997u}) {
    ClockSeededGenerator later({0x9e3779b9, 0x7f4a7c15});
    later.Skip(from);
    EXPECT_EQ(later.Next(), draws[from]) << from;
    EXPECT_EQ(DrawStream(later.RunKey(), from).Next(), draws[from]) << from;
  }
}

// The generator's own draws where its 64-bit block number carries into the
// counter's second word and beyond, up to the last block a position can name:
// the 24 bits each draw keeps, worked out once from Random123 for this key.
// Read across the carry one by one, after a skip, and by number.
TEST(ClockSeededGenerator, DrawsTheWholeCounterAtItsCarries) {
  constexpr ClockSeededGenerator::Key kKey = {0x9e3779b9, 0x7f4a7c15};
  const struct {
    std::uint64_t block;
    std::array<std::uint32_t, 4> bits;
  } rows[] = {
      {0xFFFF'FFFFull, {0x01c39e, 0x29dc69, 0x94a33b, 0xfaec8d}},
      {0x1'0000'0000ull, {0x451558, 0x932634, 0xe422ee, 0xcae062}},
      {0x2'0000'0000ull, {0x5f563b, 0xd88bc1, 0xd9281d, 0xeeaf3c}},
      {0x3FFF'FFFF'FFFF'FFFFull, {0xffeb04, 0x393fd3, 0xe1c3f7, 0x1aca79}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.block);
    ClockSeededGenerator skipped(kKey);
    skipped.Skip(4 * row.block);
    for (std::size_t lane = 0; lane < 4; ++lane) {
      const float expected = static_cast<float>(row.bits[lane]) / 16'777'216.0f;
      EXPECT_EQ(skipped.Next(), expected) << lane;
      EXPECT_EQ(DrawStream(kKey, 4 * row.block + lane).Next(), expected) << lane;
    }
  }
  // One draw after another from the last lane below the carry.
  DrawStream across(kKey, 4 * rows[0].block + 3);
  EXPECT_EQ(across.Next(), static_cast<float>(rows[0].bits[3]) / 16'777'216.0f);
  for (const std::uint32_t bits : rows[1].bits) {
    EXPECT_EQ(across.Next(), static_cast<float>(bits) / 16'777'216.0f);
  }
  EXPECT_EQ(across.Position(), 4 * rows[1].block + 4);
}

}  // namespace
}  // namespace orvanel
