#pragma once

#include <cstdint>

#include "random_generator.h"

namespace orvanel {

struct Pair {
  std::int32_t first = 0;
  std::int32_t second = 0;
  friend bool operator==(const Pair&, const Pair&) = default;
};

// A pair from two draws: first in [2, 2147483509], second in [first, 2147483635].
// second is drawn from the stretch above first, so first <= second always.
[[nodiscard]] Pair DrawRandomPair(RandomGenerator& generator);

// The same pair from the two draws r1 and r2 themselves.
[[nodiscard]] Pair PairFromDraws(float r1, float r2);

}  // namespace orvanel
