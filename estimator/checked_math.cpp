#include "checked_math.h"

#include <cmath>
#include <limits>

#include "errors.h"

namespace orvanel {
namespace {

bool FitsInt32(std::int64_t value) {
  return value >= std::numeric_limits<std::int32_t>::min() &&
         value <= std::numeric_limits<std::int32_t>::max();
}

}  // namespace

std::int32_t CheckedAdd(std::int32_t a, std::int32_t b, Quantity what) {
  const std::int64_t sum = std::int64_t{a} + b;
  if (!FitsInt32(sum)) throw OverflowError(Fault::kLimitReached, what);
  return static_cast<std::int32_t>(sum);
}

std::int32_t CheckedSubtract(std::int32_t a, std::int32_t b, Quantity what) {
  const std::int64_t difference = std::int64_t{a} - b;
  if (!FitsInt32(difference)) throw OverflowError(Fault::kOutOfRange, what);
  return static_cast<std::int32_t>(difference);
}

double RoundHalfEven(double value) {
  const double below = std::floor(value);
  const double fraction = value - below;  // exact: below and value share their exponent range
  if (fraction < 0.5) return below;
  if (fraction > 0.5) return below + 1.0;
  return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

std::int32_t RoundToInt32(double value, Quantity what) {
  const double rounded = RoundHalfEven(value);
  constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
  if (!(rounded >= kLowest && rounded <= kHighest)) throw OverflowError(Fault::kDoesNotFit, what);
  return static_cast<std::int32_t>(rounded);
}

double CheckFloatResult(double result, Quantity what) {
  if (std::isnan(result)) throw FloatingPointError(Fault::kInvalidResult, what);
  if (std::isinf(result)) throw FloatingPointError(Fault::kTooLarge, what);
  return result;
}

double CheckedDivide(double dividend, double divisor, Quantity what) {
  if (divisor == 0.0) throw FloatingPointError(Fault::kDivisionByZero, what);
  return CheckFloatResult(dividend / divisor, what);
}

double CheckedSqrt(double value, Quantity what) {
  if (value < 0.0) throw InvalidArgumentError(Fault::kNegativeSquareRoot, what);
  return CheckFloatResult(std::sqrt(value), what);
}

}  // namespace orvanel
