#include "qsettings_store.h"

#include <QSettings>
#include <QStringList>

#include <algorithm>

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

std::string TextOf(const QVariant& value) {
  // A hand-edited INI value with an unquoted comma comes back as a list; joined
  // again it is the text that was written, and the reader stops at the comma.
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(',').toStdString();
  return value.toString().toStdString();
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
  return value.isValid() ? TextOf(value) : fallback;
}

bool QSettingsStore::FoundDamaged() {
  if (!damaged_) {
    // QSettings reads a file section by section as it is asked; listing every key
    // makes it read the whole file, and a damaged one shows as a format error.
    QSettings& settings = For(kDefaultApplication);
    (void)settings.allKeys();
    damaged_ = settings.status() == QSettings::FormatError;
  }
  return *damaged_;
}

void QSettingsStore::Write(const std::string& application, const std::string& section,
                           const std::string& key, const std::string& value) {
  pending_[application][section + "/" + key] = value;
}

void QSettingsStore::Commit() {
  auto pending = std::move(pending_);
  pending_.clear();
  for (const auto& [application, values] : pending) WriteThrough(application, values);
}

// Every commit writes through a QSettings of its own: status() keeps the first
// error an object met, so a long-lived one would report a failed save long after
// the cause has gone. A format error may still come from reading a damaged file
// first (and hide a failed write behind it); the file itself then tells whether
// the values are there.
void QSettingsStore::WriteThrough(const std::string& application, const Values& values) {
  const auto settings = OpenSettings(application);
  for (const auto& [key_path, value] : values) {
    settings->setValue(QString::fromStdString(key_path), QString::fromStdString(value));
  }
  settings->sync();
  const QSettings::Status status = settings->status();
  if (status == QSettings::NoError) return;
  if (status == QSettings::FormatError) {
    const auto written = OpenSettings(application);
    const bool holds_values = std::all_of(values.begin(), values.end(), [&](const auto& entry) {
      const QVariant stored = written->value(QString::fromStdString(entry.first));
      return stored.isValid() && TextOf(stored) == entry.second;
    });
    if (holds_values) return;
  }
  const std::string file = settings->fileName().toStdString();
  throw HistoryError("The tally (Estimate, Total and Hits) could not be saved in " + file +
                         ": the settings could not be written there.",
                     file);
}

std::string QSettingsStore::Location() const {
  const auto found = settings_.find(kDefaultApplication);
  if (found != settings_.end()) return found->second->fileName().toStdString();
  return OpenSettings(kDefaultApplication)->fileName().toStdString();
}

}  // namespace orvanel
