#include "application.h"

#include <QSessionManager>

#include "ending_signals.h"
#include "gui/main/main_window.h"
#include "gui/widgets/app_icon.h"
#include "history/settings_names.h"
#include "history/settings_store.h"
#include "session_link.h"
#include "sudden_end.h"

namespace orvanel {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(kApplicationName);
  setDesktopFileName("org.orvanel.Orvanel");
  setWindowIcon(OrvanelIcon());
}

bool Application::event(QEvent* event) {
  // Delivered at once: by the session manager's Die, by quit() from anywhere,
  // and after the last window has closed (then nothing is left to do). The
  // toolkit would close every window first, and a window inside its unload
  // would refuse, which cancels the quit: the loops end here instead.
  if (event->type() == QEvent::Quit) {
    if (window_) window_->LeaveUnattended();
    exit(0);
    return true;
  }
  return QApplication::event(event);
}

int Application::Run(Main& window) {
  window_ = &window;
  // A logout may end the process right after its request, without closing any
  // window; or it may be cancelled, and then everything goes on as before. A
  // cancel is how the session manager hears that the save failed.
  connect(this, &QGuiApplication::commitDataRequest, &window, [&window](QSessionManager& manager) {
    if (!window.SaveForSessionEnd()) manager.cancel();
  });
  // The session manager gone, the session may be ending: the tally is saved,
  // and the trials go on.
  KeepRunningWithoutTheSessionManager([&window] { (void)window.SaveForSessionEnd(); });
  QuitOnSignals(window);
  const SaveAtSuddenEnd sudden_end(window);
  const int loop_status = exec();
  return loop_status != 0 ? loop_status : window.ExitStatus();
}

}  // namespace orvanel
