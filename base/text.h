#pragma once

#include <string_view>

namespace orvanel {

// `text` without the characters of `blanks` at its start and its end.
[[nodiscard]] constexpr std::string_view Trimmed(std::string_view text,
                                                 std::string_view blanks = " ") {
  const auto begin = text.find_first_not_of(blanks);
  if (begin == std::string_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(blanks) - begin + 1);
}

}  // namespace orvanel
