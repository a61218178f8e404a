#include "qsettings_store.h"

#include <QSettings>

#include <algorithm>
#include <utility>

#include "saved_section.h"
#include "settings_names.h"
#include "stored_value.h"

namespace orvanel {

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
  const SettingsNames names = SettingsNamesFor(application);
  auto settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                              QString::fromStdString(names.organization),
                                              QString::fromStdString(names.application));
  settings->setFallbacksEnabled(false);
  return settings;
}

std::string QSettingsStore::Read(const std::string& section, const std::string& key,
                                 const std::string& fallback) {
  const StoredValue value = ReadStoredValue(*reader_, section, key);
  if (value.kind == StoredValue::Kind::kUnreadable) leftUnread_ = true;
  return value.kind == StoredValue::Kind::kText ? value.text : fallback;
}

std::optional<UnusableKind> QSettingsStore::UnusableKindOf(const std::string& section,
                                                           const std::string& key) {
  const StoredValue value = ReadStoredValue(*reader_, section, key);
  if (value.kind != StoredValue::Kind::kUnusable) return std::nullopt;
  return value.unusable;
}

StoreCondition QSettingsStore::Condition() {
  if (!condition_) {
    // QSettings reads a store part by part as it is asked; listing every key
    // makes it read the whole of it, and a damaged one shows as a format error.
    (void)reader_->allKeys();
    condition_.emplace();
    if (reader_->status() == QSettings::FormatError) {
      condition_->state = StoreCondition::State::kDamaged;
    } else if (reader_->status() == QSettings::AccessError || leftUnread_) {
      condition_->state = StoreCondition::State::kUnreadable;
      condition_->fault = FileFailure{FileFailure::Kind::kRefused, 0};
    }
    if (leftUnread_) condition_->unwritable = FileFailure{FileFailure::Kind::kLeftUnread, 0};
  }
  return *condition_;
}

void QSettingsStore::Write(const std::string& section, const std::string& key,
                           const std::string& value) {
  pending_[{section, key}] = value;
}

// Every commit writes through a QSettings of its own, on the writer's thread:
// status() keeps the first error an object met, so a long-lived one would
// report a failed save long after the cause has gone. A format error may still
// come from reading a damaged file first (and hide a failed write behind it);
// the file itself then tells whether the values are there.
StoreWriter::Write QSettingsStore::TakeWrite() {
  return [values = std::exchange(pending_, {}), application = application_, place = place_,
          left_unread = leftUnread_]() -> std::optional<FileFailure> {
    if (left_unread) return FileFailure{FileFailure::Kind::kLeftUnread, 0};
    const auto settings = Open(application, place);
    for (const auto& [where, value] : values) {
      settings->setValue(QString::fromStdString(where.first + "/" + where.second),
                         QString::fromStdString(value));
    }
    settings->sync();
    const QSettings::Status status = settings->status();
    if (status == QSettings::NoError) return std::nullopt;
    if (status == QSettings::FormatError) {
      const auto written = Open(application, place);
      const bool holds_values = std::all_of(values.begin(), values.end(), [&](const auto& entry) {
        const StoredValue stored = ReadStoredValue(*written, entry.first.first, entry.first.second);
        return stored.kind == StoredValue::Kind::kText && stored.text == entry.second;
      });
      if (holds_values) return std::nullopt;
    }
    return FileFailure{FileFailure::Kind::kRefused, 0};
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
  return StoredSectionLocation(*reader_, HistorySection().section);
}

}  // namespace orvanel
