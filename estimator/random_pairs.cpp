#include "random_pairs.h"

#include "checked_math.h"

namespace orvanel {
namespace {

constexpr std::int32_t kSpan = 2'147'483'635;  // 2^31 - 13, not 2^31 - 1
constexpr std::int32_t kOffset = 2;
constexpr Quantity kWhat = Quantity::kRandomNumber;

}  // namespace

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
