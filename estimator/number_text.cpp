#include "number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

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

// True when the text, read back, lies beyond the largest double.
bool DenotesInfinity(std::string_view text) {
  double parsed = 0.0;
  return std::from_chars(text.data(), text.data() + text.size(), parsed).ec ==
         std::errc::result_out_of_range;
}

// Rounding to 15 digits steps past the largest double only for values within a
// few units of it (from 1.797693134862315e308 up), whose first 15 digits are all
// 1.79769313486231; cutting the digits there instead keeps the text finite. The
// 20 digits asked for leave no carry that could reach the fifteenth.
std::string TruncatedToFifteenDigits(double value) {
  Buffer buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::scientific, 20);
  const std::string_view text(buffer.data(), result.ptr);
  const auto exponent = text.find('e');
  const auto point = text.find('.');
  std::string mantissa(text.substr(0, point + 15));  // sign, first digit, point, 14 digits
  mantissa.erase(mantissa.find_last_not_of('0') + 1);
  if (mantissa.back() == '.') mantissa.pop_back();
  return mantissa + std::string(text.substr(exponent));
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
  if (DenotesInfinity(text)) text = TruncatedToFifteenDigits(value);
  // A reader of the saved history expects the exponent spelled with a capital E.
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
