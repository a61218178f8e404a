#pragma once

#include <string>

#include "settings_store.h"

class QSettings;

namespace orvanel {

// A value of the platform's settings store, as the lenient rules read text.
// Where the store is the registry (Windows), whose values QSettings reads
// without their kind (a REG_DWORD of 0x80000000 comes back negative, binary
// data as text), it is read as the registry means it, by its stored kind and
// size: a string is its text, a REG_DWORD of 4 bytes or a REG_QWORD of 8 the
// decimal digits of its unsigned value; any other kind or size cannot hold a
// number of the tally. A value the system refuses to give (access denied) is
// unreadable, never taken as absent. Elsewhere QSettings reads it.
struct StoredValue {
  enum class Kind { kAbsent, kText, kUnusable, kUnreadable };
  Kind kind = Kind::kAbsent;
  std::string text;       // kText, in UTF-8
  UnusableKind unusable;  // kUnusable
};

[[nodiscard]] StoredValue ReadStoredValue(const QSettings& settings, const std::string& section,
                                          const std::string& key);

// Where `settings` keeps `section`, for messages: the registry key as the
// Registry Editor shows it, or the file.
[[nodiscard]] std::string StoredSectionLocation(const QSettings& settings,
                                                const std::string& section);

}  // namespace orvanel
