#include <QScreen>

#include "application.h"
#include "base/process_end.h"
#include "ending_signals.h"
#include "gui/main_window.h"
#include "gui/translations.h"
#include "running_mark.h"

namespace {

// Runs Orvanel until a way out ends it; the exit status.
int RunOrvanel(int& argc, char** argv) {
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

}  // namespace

int main(int argc, char* argv[]) {
  orvanel::EndAtOnceOnSignals();
  orvanel::MarkRunning();
  // The tally is saved and the window gone; a helper thread may still wait on
  // the file system, and nothing static is torn down under it.
  orvanel::EndProcess(RunOrvanel(argc, argv));
}
