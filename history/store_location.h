#pragma once

#include <string>

namespace orvanel {

enum class Platform { kLinux, kMacOS, kWindows };

[[nodiscard]] Platform CurrentPlatform();

// The organization and application names under which the per-user store keeps an
// application's settings. On Windows that is the registry key
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>, where a
// tally saved by an earlier version of the program already lies, so that it
// carries over; elsewhere the platform's own per-user place for <application>
// (~/.config/Orvanel/Orvanel.conf on Linux).
struct StoreLocation {
  std::string organization;
  std::string application;
};

[[nodiscard]] StoreLocation LocationFor(Platform platform, const std::string& application);

}  // namespace orvanel
