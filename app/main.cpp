#include <QApplication>
#include <QScreen>

#include "main_window.h"
#include "shutdown.h"
#include "translations.h"

int main(int argc, char* argv[]) {
  orvanel::EndAtOnceOnSignals();
  QApplication application(argc, argv);
  QApplication::setApplicationName(orvanel::kApplicationName);
  QApplication::setDesktopFileName("org.orvanel.Orvanel");
  orvanel::Translations translations;
  translations.Use(QLocale());

  orvanel::Main window(orvanel::DesktopServices());
  window.Form_Load();
  window.adjustSize();
  window.move(window.screen()->availableGeometry().center() - window.rect().center());
  window.show();
  window.activateWindow();
  orvanel::SaveOnEveryWayOut(application, window);
  const int loop_status = application.exec();
  return loop_status != 0 ? loop_status : window.ExitStatus();
}
