#pragma once

#include <cmath>
#include <cstdint>

namespace orvanel::testing {

// The common-factor test exactly as stated: every divisor from 2 up to the
// rounded square root of `first`, inclusive. The oracle the fast test must match.
inline bool LiteralHasCommonFactor(std::int32_t first, std::int32_t second) {
  const std::int32_t bound = static_cast<std::int32_t>(std::nearbyint(std::sqrt(double(first))));
  for (std::int32_t i = 2; i <= bound; ++i) {
    if (first % i == 0 && second % i == 0) return true;
  }
  return false;
}

}  // namespace orvanel::testing
