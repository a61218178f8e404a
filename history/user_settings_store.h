#pragma once

#include <memory>

#include "settings_store.h"

namespace orvanel {

// The user's own store for the saved tally: on Windows and macOS the platform's
// (the registry, a property list), through QSettings; elsewhere the program's own
// file in the user's configuration folder, $XDG_CONFIG_HOME or ~/.config
// (Orvanel/Orvanel.conf, where QSettings kept it before).
[[nodiscard]] std::unique_ptr<SettingsStore> MakeUserSettingsStore();

}  // namespace orvanel
