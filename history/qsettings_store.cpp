#include "qsettings_store.h"

#include <QSettings>
#include <QStringList>

#include "saved_history.h"
#include "store_location.h"

namespace orvanel {
namespace {

constexpr const char* kDefaultApplication = "Orvanel";

QString KeyPath(const std::string& section, const std::string& key) {
  return QString::fromStdString(section + "/" + key);
}

std::unique_ptr<QSettings> OpenSettings(const std::string& application) {
  const StoreLocation location = LocationFor(CurrentPlatform(), application);
  auto settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                              QString::fromStdString(location.organization),
                                              QString::fromStdString(location.application));
  settings->setFallbacksEnabled(false);
  return settings;
}

}  // namespace

QSettingsStore::QSettingsStore() = default;
QSettingsStore::~QSettingsStore() = default;

QSettings& QSettingsStore::For(const std::string& application) {
  auto& settings = settings_[application];
  if (!settings) settings = OpenSettings(application);
  return *settings;
}

std::string QSettingsStore::Read(const std::string& application, const std::string& section,
                                 const std::string& key, const std::string& fallback) {
  const QVariant value = For(application).value(KeyPath(section, key));
  if (!value.isValid()) return fallback;
  // A hand-edited INI value with an unquoted comma comes back as a list; joined
  // again it is the text that was written, and the reader stops at the comma.
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(',').toStdString();
  return value.toString().toStdString();
}

void QSettingsStore::Write(const std::string& application, const std::string& section,
                           const std::string& key, const std::string& value) {
  For(application).setValue(KeyPath(section, key), QString::fromStdString(value));
}

void QSettingsStore::Commit() {
  for (const auto& [application, settings] : settings_) {
    // status() keeps the first error and is meaningful only after sync().
    settings->sync();
    const QSettings::Status status = settings->status();
    if (status == QSettings::NoError) continue;
    const std::string reason = status == QSettings::FormatError
                                   ? "the settings file there is damaged"
                                   : "the settings could not be written there";
    throw HistoryError("The tally (Estimate, Total and Hits) could not be saved in " +
                       settings->fileName().toStdString() + ": " + reason + ".");
  }
}

std::string QSettingsStore::Location() const {
  const auto found = settings_.find(kDefaultApplication);
  if (found != settings_.end()) return found->second->fileName().toStdString();
  return OpenSettings(kDefaultApplication)->fileName().toStdString();
}

}  // namespace orvanel
