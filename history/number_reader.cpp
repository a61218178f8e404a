#include "number_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

#include "estimator/checked_math.h"
#include "estimator/errors.h"

namespace orvanel {
namespace {

bool IsSkipped(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

// "&H1F" and "&O17": whole numbers in base 16 or 8, as many digits as follow,
// rounded once to the nearest double. Digits are gathered exactly while they fit
// in 64 bits; beyond that only their count and whether any is non-zero matter:
// the gathered part then has at least 60 bits, so a set lowest bit decides a tie
// exactly as the digits it stands for would.
double ReadWholeNumber(std::string_view digits, int base) {
  const int bits_per_digit = base == 16 ? 4 : 3;
  constexpr std::uint64_t kRoomForOneMore = std::uint64_t{1} << 60;
  std::uint64_t gathered = 0;
  int dropped_digits = 0;
  bool dropped_nonzero = false;
  for (const char c : digits) {
    const int digit = DigitValue(c);
    if (digit >= base) break;
    if (gathered < kRoomForOneMore) {
      gathered = gathered << bits_per_digit | static_cast<std::uint64_t>(digit);
    } else {
      ++dropped_digits;
      dropped_nonzero = dropped_nonzero || digit != 0;
    }
  }
  if (dropped_nonzero) gathered |= 1;
  const long long shift = static_cast<long long>(dropped_digits) * bits_per_digit;
  if (shift > 2000) return std::numeric_limits<double>::infinity();
  return std::ldexp(static_cast<double>(gathered), static_cast<int>(shift));
}

// The decimal exponent of a number from_chars could not hold, so that an
// overflow becomes an infinity and an underflow a zero.
bool MagnitudeIsLarge(std::string_view integer_digits, std::string_view fraction_digits,
                      long long exponent) {
  const auto first_significant = integer_digits.find_first_not_of('0');
  long long magnitude = 0;
  if (first_significant != std::string_view::npos) {
    magnitude = static_cast<long long>(integer_digits.size() - first_significant);
  } else {
    const auto leading_zeros = fraction_digits.find_first_not_of('0');
    if (leading_zeros == std::string_view::npos) return false;  // the number is zero
    magnitude = -static_cast<long long>(leading_zeros);
  }
  return magnitude + exponent > 0;
}

}  // namespace

double ReadNumber(std::string_view text) noexcept {
  std::string s;
  try {
    s.reserve(text.size());
  } catch (...) {
    return 0.0;
  }
  std::copy_if(text.begin(), text.end(), std::back_inserter(s),
               [](char c) { return !IsSkipped(c); });

  if (s.size() >= 2 && s[0] == '&') {
    const std::string_view rest = std::string_view(s).substr(2);
    if (s[1] == 'H' || s[1] == 'h') return ReadWholeNumber(rest, 16);
    if (s[1] == 'O' || s[1] == 'o') return ReadWholeNumber(rest, 8);
    return 0.0;
  }

  const std::size_t n = s.size();
  std::size_t i = 0;
  bool negative = false;
  if (i < n && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

  const std::size_t mantissa_start = i;
  while (i < n && IsDigit(s[i])) ++i;
  const std::string_view integer_digits(s.data() + mantissa_start, i - mantissa_start);
  std::string_view fraction_digits;
  // A point belongs to the number only with a digit after it: "1.e5" is 1.
  if (i + 1 < n && s[i] == '.' && IsDigit(s[i + 1])) {
    std::size_t j = i + 1;
    while (j < n && IsDigit(s[j])) ++j;
    fraction_digits = std::string_view(s.data() + i + 1, j - i - 1);
    i = j;
  }
  if (integer_digits.empty() && fraction_digits.empty()) return 0.0;

  long long exponent = 0;
  if (i < n && (s[i] == 'E' || s[i] == 'e')) {
    std::size_t j = i + 1;
    bool exponent_negative = false;
    if (j < n && (s[j] == '+' || s[j] == '-')) exponent_negative = s[j++] == '-';
    const std::size_t exponent_digits = j;
    while (j < n && IsDigit(s[j])) {
      exponent = std::min(exponent * 10 + (s[j] - '0'), 1'000'000'000LL);  // saturates
      ++j;
    }
    if (j > exponent_digits) {
      i = j;
      if (exponent_negative) exponent = -exponent;
    } else {
      exponent = 0;  // "1e" or "1e+" without digits: the number ends before the E
    }
  }

  double value = 0.0;
  const auto result = std::from_chars(s.data() + mantissa_start, s.data() + i, value);
  if (result.ec == std::errc::result_out_of_range) {
    value = MagnitudeIsLarge(integer_digits, fraction_digits, exponent)
                ? std::numeric_limits<double>::infinity()
                : 0.0;
  } else if (result.ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

std::optional<std::int32_t> ToCount(double value) noexcept {
  try {
    return RoundToInt32(value, Quantity::kStoredCount);
  } catch (const OverflowError&) {
    return std::nullopt;
  }
}

}  // namespace orvanel
