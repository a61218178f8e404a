#include "checked_math.h"

#include <cmath>
#include <limits>
#include <string>

#include "errors.h"

namespace orvanel {
namespace {

std::string Sentence(std::string_view start, std::string_view what, std::string_view end) {
  std::string text(start);
  text += what;
  text += end;
  return text;
}

bool FitsInt32(std::int64_t value) {
  return value >= std::numeric_limits<std::int32_t>::min() &&
         value <= std::numeric_limits<std::int32_t>::max();
}

}  // namespace

std::int32_t CheckedAdd(std::int32_t a, std::int32_t b, std::string_view what) {
  const std::int64_t sum = std::int64_t{a} + b;
  if (!FitsInt32(sum)) {
    throw OverflowError(Sentence("The ", what,
                                 " cannot change any further: it has reached the limit of what it "
                                 "can hold."));
  }
  return static_cast<std::int32_t>(sum);
}

std::int32_t CheckedSubtract(std::int32_t a, std::int32_t b, std::string_view what) {
  const std::int64_t difference = std::int64_t{a} - b;
  if (!FitsInt32(difference)) {
    throw OverflowError(
        Sentence("The ", what, " lies outside the range of a whole number of 32 bits."));
  }
  return static_cast<std::int32_t>(difference);
}

double RoundHalfEven(double value) {
  const double below = std::floor(value);
  const double fraction = value - below;  // exact: below and value share their exponent range
  if (fraction < 0.5) return below;
  if (fraction > 0.5) return below + 1.0;
  return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

std::int32_t RoundToInt32(double value, std::string_view what) {
  const double rounded = RoundHalfEven(value);
  constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
  if (!(rounded >= kLowest && rounded <= kHighest)) {
    throw OverflowError(Sentence("The ", what, " does not fit into a whole number of 32 bits."));
  }
  return static_cast<std::int32_t>(rounded);
}

double CheckFloatResult(double result, std::string_view what) {
  if (std::isnan(result)) {
    throw FloatingPointError(Sentence("Working out the ", what, " gave an invalid result."));
  }
  if (std::isinf(result)) {
    throw FloatingPointError(
        Sentence("Working out the ", what, " gave a number too large to hold."));
  }
  return result;
}

double CheckedDivide(double dividend, double divisor, std::string_view what) {
  if (divisor == 0.0) {
    throw FloatingPointError(Sentence("Working out the ", what, " needed a division by zero."));
  }
  return CheckFloatResult(dividend / divisor, what);
}

double CheckedSqrt(double value, std::string_view what) {
  if (value < 0.0) {
    throw InvalidArgumentError(
        Sentence("Working out the ", what, " needed the square root of a negative number."));
  }
  return CheckFloatResult(std::sqrt(value), what);
}

}  // namespace orvanel
