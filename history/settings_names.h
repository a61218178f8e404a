#pragma once

#include <string>

namespace orvanel {

// The name under which the program keeps its settings, and calls itself to the
// platform.
inline constexpr char kApplicationName[] = "Orvanel";

// The name of the convergence record's file (record_file.h).
inline constexpr char kRecordFileName[] = "convergence-record.txt";

// The organization and application names under which the platform's own store
// (QSettings) keeps an application's settings. On Windows that is the registry
// key HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>,
// where a tally saved by an earlier version of the program already lies, so
// that it carries over; elsewhere <application> twice: the platform's own
// per-user place (~/.config/Orvanel/Orvanel.conf on Linux).
struct SettingsNames {
  std::string organization;
  std::string application;
};

[[nodiscard]] SettingsNames SettingsNamesFor(const std::string& application);

}  // namespace orvanel
