#include "number_text.h"

#include <array>
#include <charconv>
#include <cmath>

namespace orvanel {
namespace {

// Large enough for any double in fixed notation with four decimals (309 digits).
using Buffer = std::array<char, 400>;

std::string WithSignPlace(std::string_view digits) {
  if (!digits.empty() && digits.front() == '-') return std::string(digits);
  std::string text(" ");
  text += digits;
  return text;
}

}  // namespace

std::string NumberText(std::int32_t value) {
  Buffer buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return WithSignPlace(std::string_view(buffer.data(), result.ptr - buffer.data()));
}

std::string NumberText(double value) {
  if (!std::isfinite(value) || value == 0.0) value = 0.0;  // -0.0 is written as " 0"
  Buffer buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::general, 15);
  std::string text(buffer.data(), result.ptr);
  // "%g" style gives "1e+15"; the history has always spelled the exponent with "E".
  if (const auto e = text.find('e'); e != std::string::npos) text[e] = 'E';
  return WithSignPlace(text);
}

std::string FixedFourDecimals(double value, std::string_view decimal_separator) {
  Buffer buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, 4);
  std::string text(buffer.data(), result.ptr);
  if (const auto point = text.find('.'); point != std::string::npos) {
    text.replace(point, 1, decimal_separator);
  }
  return text;
}

}  // namespace orvanel
