// The user's store on Windows and macOS: the platform's own, through QSettings.
#include "qsettings_store.h"
#include "settings_names.h"
#include "user_settings_store.h"

namespace orvanel {

std::unique_ptr<SettingsStore> MakeUserSettingsStore() {
  return std::make_unique<QSettingsStore>(kApplicationName);
}

}  // namespace orvanel
