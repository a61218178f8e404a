#include <QScreen>

#include "application.h"
#include "ending_signals.h"
#include "gui/main_window.h"
#include "gui/translations.h"
#include "running_mark.h"

int main(int argc, char* argv[]) {
  orvanel::EndAtOnceOnSignals();
  orvanel::MarkRunning();
  orvanel::Application application(argc, argv);
  orvanel::Translations translations;
  translations.Use(QLocale());

  orvanel::Main window(orvanel::DesktopServices(), application.Ways());
  window.Form_Load();
  window.adjustSize();
  window.move(window.screen()->availableGeometry().center() - window.rect().center());
  window.show();
  window.activateWindow();
  return application.Run(window);
}
