#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace orvanel {

// Reads a stored value back into a number. What the program writes reads back
// exactly; a value edited by hand gives the number it starts with, so a stray
// character costs nothing but itself: blanks, tabs and line feeds are skipped
// wherever they stand; the value is
// the longest leading decimal number (optional sign, digits, optional "." and
// digits, ".5" allowed, optional exponent E or e with optional sign and digits);
// "." is the decimal point in every locale, so a comma ends the number; "&H" and
// "&O" start a hexadecimal or octal whole number; text without a leading number
// gives 0. A value beyond the range of a double gives an infinity of its sign, one
// too small to hold gives 0. Never throws; never reads past the end of `text`.
[[nodiscard]] double ReadNumber(std::string_view text) noexcept;

// A number read as above turned into a count: rounded half to even (2.5 -> 2,
// 3.5 -> 4, -0.5 -> 0). Nothing when the result lies outside the 32-bit range.
[[nodiscard]] std::optional<std::int32_t> ToCount(double value) noexcept;

}  // namespace orvanel
