#include "user_settings_store.h"

#include <QStandardPaths>
#include <QString>

#include "qsettings_store.h"
#include "store_layout.h"
#include "store_location.h"

#ifdef ORVANEL_SETTINGS_FILE
#include "settings_file_store.h"
#endif

namespace orvanel {

std::unique_ptr<SettingsStore> MakeUserSettingsStore() {
#ifdef ORVANEL_SETTINGS_FILE
  const StoreLocation location = LocationFor(CurrentPlatform(), kApplicationName);
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  const std::string path =
      folder.toStdString() + "/" + location.organization + "/" + location.application + ".conf";
  return std::make_unique<SettingsFileStore>(path, HistoryLayout());
#else
  return std::make_unique<QSettingsStore>(kApplicationName);
#endif
}

}  // namespace orvanel
