#pragma once

#include <memory>
#include <string>

#include "settings_store.h"

namespace orvanel {

// The user's own store for the saved tally: on Windows and macOS the platform's
// (the registry, a property list), through QSettings; elsewhere the program's own
// file in the user's configuration folder, $XDG_CONFIG_HOME or ~/.config
// (Orvanel/Orvanel.conf, where QSettings kept it before).
[[nodiscard]] std::unique_ptr<SettingsStore> MakeUserSettingsStore();

// Where the convergence record is kept beside that store (UTF-8): in the same
// folder as the program's own file; on Windows and macOS, where the store is
// the platform's, in the user's application data. Empty when there is no such
// place.
[[nodiscard]] std::string UserRecordPath();

}  // namespace orvanel
