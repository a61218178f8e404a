#pragma once

#include <QSettings>
#include <QTemporaryDir>
#include <QtGlobal>

namespace orvanel::bench {

// What a probe of the real window sets up before its QApplication: the
// offscreen platform unless QT_QPA_PLATFORM says otherwise, and settings in a
// folder of its own, so that a probe never touches the user's own history.
class ProbeSettings {
 public:
  ProbeSettings() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", folder_.path().toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder_.path());
  }

 private:
  QTemporaryDir folder_;
};

}  // namespace orvanel::bench
