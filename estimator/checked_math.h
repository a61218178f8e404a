#pragma once

#include <cstdint>

#include "errors.h"

namespace orvanel {

// Arithmetic that raises an error instead of wrapping or producing a silent
// infinity or NaN. `what` names the quantity being worked out, for the error.
[[nodiscard]] std::int32_t CheckedAdd(std::int32_t a, std::int32_t b, Quantity what);
[[nodiscard]] std::int32_t CheckedSubtract(std::int32_t a, std::int32_t b, Quantity what);

// Rounds to the nearest whole number, an exact half going to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -0.5 -> -0). Independent of the floating-point rounding mode.
[[nodiscard]] double RoundHalfEven(double value);

// RoundHalfEven, then into a 32-bit integer; a result outside the range (or NaN)
// is an OverflowError.
[[nodiscard]] std::int32_t RoundToInt32(double value, Quantity what);

// The floating-point checks: a NaN result is an invalid operation, an infinite
// one an overflow (both FloatingPointError). Inexact results and underflow pass.
// The operands of every checked step are finite, so this tells them apart exactly.
[[nodiscard]] double CheckFloatResult(double result, Quantity what);

// Division checked as above, with a zero divisor reported as a division by zero.
[[nodiscard]] double CheckedDivide(double dividend, double divisor, Quantity what);

// Square root; a negative argument is an InvalidArgumentError.
[[nodiscard]] double CheckedSqrt(double value, Quantity what);

}  // namespace orvanel
