#include "random_pairs.h"

#include <chrono>
#include <random>

#include <Random123/philox.h>

#include "checked_math.h"

namespace orvanel {
namespace {

constexpr std::int32_t kSpan = 2'147'483'635;  // 2^31 - 13, not 2^31 - 1
constexpr std::int32_t kOffset = 2;
constexpr Quantity kWhat = Quantity::kRandomNumber;

}  // namespace

std::array<float, 4> DrawStream::Block(const Key& key, std::uint64_t block) {
  constexpr float kScale = 1.0f / 16'777'216.0f;  // 2^-24, exact
  const r123::Philox4x32::ctr_type counter = {
      {static_cast<std::uint32_t>(block), static_cast<std::uint32_t>(block >> 32), 0, 0}};
  const auto bits = r123::Philox4x32()(counter, r123::Philox4x32::key_type{{key[0], key[1]}});
  std::array<float, 4> draws{};
  for (std::size_t i = 0; i < draws.size(); ++i) {
    draws[i] = static_cast<float>(bits[i] >> 8) * kScale;
  }
  return draws;
}

DrawStream::DrawStream(const Key& key, std::uint64_t position)
    : key_(key), block_(position / 4), draws_(Block(key, block_)), lane_(position % 4) {}

void DrawStream::NextBlock() {
  draws_ = Block(key_, ++block_);
  lane_ = 0;
}

void ClockSeededGenerator::SeedFromClock() {
  if (!keyGiven_) {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
    // Both clocks, mixed, so that two starts in the same second differ.
    std::seed_seq seed{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32),
                       static_cast<std::uint32_t>(wall), static_cast<std::uint32_t>(wall >> 32)};
    seed.generate(key_.begin(), key_.end());
  }
  draws_ = DrawStream(key_);
}

// The checks below cannot fire for r in [0, 1); they stay so that a faulty
// generator is reported instead of producing numbers outside the ranges.
namespace {

std::int32_t FirstOfPair(float r1) {
  const double x = CheckFloatResult(static_cast<double>(r1) * kSpan + kOffset, kWhat);
  return RoundToInt32(x, kWhat);
}

std::int32_t SecondOfPair(std::int32_t first, float r2) {
  const std::int32_t width = CheckedSubtract(kSpan, first, kWhat);
  const double y = CheckFloatResult(static_cast<double>(r2) * width + first, kWhat);
  return RoundToInt32(y, kWhat);
}

}  // namespace

// The second draw is taken only once the first has given its number.
Pair DrawRandomPair(RandomGenerator& generator) {
  const std::int32_t first = FirstOfPair(generator.Next());
  return Pair{first, SecondOfPair(first, generator.Next())};
}

Pair PairFromDraws(float r1, float r2) {
  const std::int32_t first = FirstOfPair(r1);
  return Pair{first, SecondOfPair(first, r2)};
}

}  // namespace orvanel
