#include "random_pairs.h"

#include <chrono>

#include "checked_math.h"

namespace orvanel {
namespace {

constexpr std::int32_t kSpan = 2'147'483'635;  // 2^31 - 13, not 2^31 - 1
constexpr std::int32_t kOffset = 2;
constexpr Quantity kWhat = Quantity::kRandomNumber;

}  // namespace

void ClockSeededGenerator::SeedFromClock() {
  const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
  std::seed_seq seed{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32),
                     static_cast<std::uint32_t>(wall), static_cast<std::uint32_t>(wall >> 32)};
  engine_.seed(seed);
}

float ClockSeededGenerator::Next() {
  constexpr float kScale = 1.0f / 16'777'216.0f;  // 2^-24, exact
  return static_cast<float>(engine_() >> 8) * kScale;
}

// The checks below cannot fire for r in [0, 1); they stay so that a faulty
// generator is reported instead of producing numbers outside the ranges.
Pair DrawRandomPair(RandomGenerator& generator) {
  const double r1 = generator.Next();
  const double x = CheckFloatResult(r1 * kSpan + kOffset, kWhat);
  const std::int32_t first = RoundToInt32(x, kWhat);
  const double r2 = generator.Next();
  const std::int32_t width = CheckedSubtract(kSpan, first, kWhat);
  const double y = CheckFloatResult(r2 * width + first, kWhat);
  return Pair{first, RoundToInt32(y, kWhat)};
}

}  // namespace orvanel
