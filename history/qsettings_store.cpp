#include "qsettings_store.h"

#include <QDir>
#include <QSettings>
#include <QStringList>

#include <algorithm>
#include <utility>

#include "registry_value.h"
#include "store_layout.h"
#include "store_location.h"

namespace orvanel {
namespace {

std::string TextOf(const QVariant& value) {
  // A hand-edited INI value with an unquoted comma comes back as a list; joined
  // again it is the text that was written, and the reader stops at the comma.
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(',').toStdString();
  return value.toString().toStdString();
}

std::string KeyPath(const std::string& section, const std::string& key) {
  return section + "/" + key;
}

}  // namespace

QSettingsStore::QSettingsStore(std::string application)
    : application_(std::move(application)),
      reader_(Open(application_, place_)),
      writer_(Location()) {}

QSettingsStore::QSettingsStore(NativePlace place)
    : place_(std::move(place)), reader_(Open(application_, place_)), writer_(Location()) {}

QSettingsStore::~QSettingsStore() = default;

std::unique_ptr<QSettings> QSettingsStore::Open(const std::string& application,
                                                const std::optional<NativePlace>& place) {
  if (place) {
    return std::make_unique<QSettings>(QString::fromStdString(place->path),
                                       QSettings::NativeFormat);
  }
  const StoreLocation location = LocationFor(CurrentPlatform(), application);
  auto settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                              QString::fromStdString(location.organization),
                                              QString::fromStdString(location.application));
  settings->setFallbacksEnabled(false);
  return settings;
}

// On Windows the store is the registry, whose values QSettings reads without
// their kind (a REG_DWORD of 0x80000000 comes back negative, binary data as
// text): they are read as the registry means them.
std::string QSettingsStore::Read(const std::string& section, const std::string& key,
                                 const std::string& fallback) {
  if (CurrentPlatform() == Platform::kWindows) {
    const RegistryValue value = ReadRegistryValue(RegistryKey(section), key);
    return value.kind == RegistryValue::Kind::kText ? value.text : fallback;
  }
  const QVariant value = reader_->value(QString::fromStdString(KeyPath(section, key)));
  return value.isValid() ? TextOf(value) : fallback;
}

bool QSettingsStore::HoldsUnusable(const std::string& section, const std::string& key) {
  return CurrentPlatform() == Platform::kWindows &&
         ReadRegistryValue(RegistryKey(section), key).kind == RegistryValue::Kind::kUnusable;
}

// The key below HKEY_CURRENT_USER that holds `section`.
std::string QSettingsStore::RegistryKey(const std::string& section) const {
  std::string key = QDir::toNativeSeparators(reader_->fileName()).toStdString();
  const std::string root = "HKEY_CURRENT_USER\\";
  if (const auto at = key.find(root); at != std::string::npos) key.erase(0, at + root.size());
  return key + "\\" + section;
}

StoreCondition QSettingsStore::Condition() {
  if (!condition_) {
    // QSettings reads a store part by part as it is asked; listing every key
    // makes it read the whole of it, and a damaged one shows as a format error.
    (void)reader_->allKeys();
    condition_.emplace();
    if (reader_->status() == QSettings::FormatError) {
      condition_->state = StoreCondition::State::kDamaged;
    } else if (reader_->status() == QSettings::AccessError) {
      condition_->state = StoreCondition::State::kUnreadable;
      condition_->fault = StoreFault{StoreFault::Kind::kRefused, 0};
    }
  }
  return *condition_;
}

void QSettingsStore::Write(const std::string& section, const std::string& key,
                           const std::string& value) {
  pending_[KeyPath(section, key)] = value;
}

// Every commit writes through a QSettings of its own, on the writer's thread:
// status() keeps the first error an object met, so a long-lived one would
// report a failed save long after the cause has gone. A format error may still
// come from reading a damaged file first (and hide a failed write behind it);
// the file itself then tells whether the values are there.
StoreWriter::Write QSettingsStore::TakeWrite() {
  return [values = std::exchange(pending_, {}), application = application_,
          place = place_]() -> std::optional<StoreFault> {
    const auto settings = Open(application, place);
    for (const auto& [key_path, value] : values) {
      settings->setValue(QString::fromStdString(key_path), QString::fromStdString(value));
    }
    settings->sync();
    const QSettings::Status status = settings->status();
    if (status == QSettings::NoError) return std::nullopt;
    if (status == QSettings::FormatError) {
      const auto written = Open(application, place);
      const bool holds_values = std::all_of(values.begin(), values.end(), [&](const auto& entry) {
        const QVariant stored = written->value(QString::fromStdString(entry.first));
        return stored.isValid() && TextOf(stored) == entry.second;
      });
      if (holds_values) return std::nullopt;
    }
    return StoreFault{StoreFault::Kind::kRefused, 0};
  };
}

void QSettingsStore::Commit(std::chrono::milliseconds patience) {
  writer_.Run(TakeWrite(), std::chrono::steady_clock::now() + patience);
}

std::shared_ptr<const WriteOutcome> QSettingsStore::CommitInBackground() {
  if (writer_.Busy()) return nullptr;
  return writer_.Begin(TakeWrite());
}

std::string QSettingsStore::Location() const {
  if (CurrentPlatform() != Platform::kWindows) return reader_->fileName().toStdString();
  // The key itself, as the Registry Editor shows it, where the tally lies.
  return "HKEY_CURRENT_USER\\" + RegistryKey(HistoryLayout().section);
}

}  // namespace orvanel
