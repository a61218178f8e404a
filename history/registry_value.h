#pragma once

#include <string>

namespace orvanel {

// A value of the current user's registry, read as the lenient rules read text:
// a string is its text, a REG_DWORD or REG_QWORD the decimal digits of its
// unsigned value (as the registry means it, so 0x80000000 is 2147483648, not a
// negative number). Any other kind (binary data, a list of strings) cannot hold
// a number of the tally. On Windows only; elsewhere nothing is there.
struct RegistryValue {
  enum class Kind { kAbsent, kText, kUnusable };
  Kind kind = Kind::kAbsent;
  std::string text;  // kText, in UTF-8
};

// `key` is the path below HKEY_CURRENT_USER ("Software\\…\\History").
[[nodiscard]] RegistryValue ReadRegistryValue(const std::string& key, const std::string& name);

}  // namespace orvanel
