#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanel {

// The number text shared by the status lines and the saved history: decimal
// digits without grouping, "." as the decimal point in every locale, one leading
// blank in the place of the sign for a value that is not negative, "-" otherwise.

// All digits of the integer: " 1000", " 0", "-5".
[[nodiscard]] std::string NumberText(std::int32_t value);

// At most 15 significant digits, no trailing zeros, no point for a whole value:
// " 2.44948974278318", " 0" (also for -0.0), "-3.5". Values whose decimal exponent
// is below -4 or above 14, which the estimate never takes, get an exponent
// (" 1E+15", " 1.5E-05"); NaN and infinities, which are never stored, give " 0".
// The text always reads back to a finite number: next to the largest double,
// where rounding to 15 digits would step past it, the digits are cut instead
// (" 1.79769313486231E+308").
[[nodiscard]] std::string NumberText(double value);

// The "0.0000" pattern: at least one digit before the separator, exactly four
// after, no grouping; 113511.68169 -> "113511.6817". The value is rounded from its
// exact binary value, so an exact halfway case (0.03125) goes to the even last
// digit ("0.0312"), as in IEEE round-to-nearest.
[[nodiscard]] std::string FixedFourDecimals(double value, std::string_view decimal_separator);

}  // namespace orvanel
