#pragma once

#include <cstdint>

namespace orvanel {

// The common-factor test of one pair: is there a divisor i with 2 <= i <= bound
// that divides both numbers, the bound being the square root of `first` rounded
// half to even? Only divisors up to the bound count, so (6, 9), (2, 4) and
// (15, 25) have "no common factor". Requires first >= 1 and second >= 1.
[[nodiscard]] bool HasCommonFactor(std::int32_t first, std::int32_t second);

// The bound of the test for `first`.
[[nodiscard]] std::int32_t CommonFactorBound(std::int32_t first);

}  // namespace orvanel
