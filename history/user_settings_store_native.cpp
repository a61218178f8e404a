// The user's store on Windows and macOS: the platform's own, through QSettings.
#include <QDir>
#include <QStandardPaths>

#include "qsettings_store.h"
#include "settings_names.h"
#include "user_settings_store.h"

namespace orvanel {

std::unique_ptr<SettingsStore> MakeUserSettingsStore() {
  return std::make_unique<QSettingsStore>(kApplicationName);
}

std::string UserRecordPath() {
  // The application's own folder there, named after it: the application's
  // name is set before any window is made, and no organization.
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  if (folder.isEmpty()) return {};
  return QDir(folder).filePath(QString::fromUtf8(kRecordFileName)).toStdString();
}

}  // namespace orvanel
