#pragma once

#include <string>

class QSettings;

namespace orvanel {

// A value of the platform's settings store, as the lenient rules read text.
// Where the store is the registry (Windows), whose values QSettings reads
// without their kind (a REG_DWORD of 0x80000000 comes back negative, binary
// data as text), it is read as the registry means it: a string is its text, a
// REG_DWORD or REG_QWORD the decimal digits of its unsigned value, and any
// other kind (binary data, a list of strings) cannot hold a number of the
// tally. Elsewhere QSettings reads it.
struct StoredValue {
  enum class Kind { kAbsent, kText, kUnusable };
  Kind kind = Kind::kAbsent;
  std::string text;  // kText, in UTF-8
};

[[nodiscard]] StoredValue ReadStoredValue(const QSettings& settings, const std::string& section,
                                          const std::string& key);

// Where `settings` keeps `section`, for messages: the registry key as the
// Registry Editor shows it, or the file.
[[nodiscard]] std::string StoredSectionLocation(const QSettings& settings,
                                                const std::string& section);

}  // namespace orvanel
