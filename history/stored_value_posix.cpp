// The platform's settings store where QSettings keeps files of its own (a
// property list on macOS, an INI file elsewhere).
#include <QSettings>
#include <QStringList>

#include "stored_value.h"

namespace orvanel {

StoredValue ReadStoredValue(const QSettings& settings, const std::string& section,
                            const std::string& key) {
  const QVariant value = settings.value(QString::fromStdString(section + "/" + key));
  if (!value.isValid()) return {};
  // A hand-edited INI value with an unquoted comma comes back as a list; joined
  // again it is the text that was written, and the reader stops at the comma.
  if (value.typeId() == QMetaType::QStringList) {
    return {StoredValue::Kind::kText, value.toStringList().join(',').toStdString(), {}};
  }
  return {StoredValue::Kind::kText, value.toString().toStdString(), {}};
}

std::string StoredSectionLocation(const QSettings& settings, const std::string&) {
  return settings.fileName().toStdString();
}

}  // namespace orvanel
