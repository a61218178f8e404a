#include "shutdown.h"

#include <QApplication>
#include <QSessionManager>

#include "main_window.h"
#include "session_link.h"

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace orvanel {
namespace {

// The application quits (the session manager's Die, the platform's own quit):
// whoever asked is not there to answer a message.
class QuitWatcher final : public QObject {
 public:
  QuitWatcher(QApplication& application, Main& window) : QObject(&application), window_(window) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == parent() && event->type() == QEvent::Quit) window_.CloseUnattended();
    return false;
  }

 private:
  Main& window_;
};

#ifdef Q_OS_UNIX
// The handler only writes a byte; the event loop reads it and closes the window
// like any other close. Both ends never block: a burst of signals fills the
// pair, and then a close is already pending.
std::array<int, 2> signalPair{-1, -1};
volatile std::sig_atomic_t loopTakesSignals = 0;

extern "C" void OnEndingSignal(int) {
  if (!loopTakesSignals) ::_exit(0);
  const int saved_errno = errno;
  const char byte = 1;
  [[maybe_unused]] const auto written = ::write(signalPair[0], &byte, 1);
  errno = saved_errno;
}

void DrainSignalPair() {
  char bytes[256];
  while (::read(signalPair[1], bytes, sizeof bytes) > 0) {
  }
}

void CloseOnSignals(QApplication& application, Main& window) {
  if (signalPair[1] < 0) return;
  auto* notifier = new QSocketNotifier(signalPair[1], QSocketNotifier::Read, &application);
  QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
    DrainSignalPair();
    window.CloseUnattended();
    QCoreApplication::quit();  // also ends the loop of a modal window that may be open
  });
  loopTakesSignals = 1;
}
#endif

}  // namespace

void EndAtOnceOnSignals() {
#ifdef Q_OS_UNIX
  // A session manager or a pipe that goes away must not end the program by
  // SIGPIPE's default action; the failed write is reported where it happens.
  std::signal(SIGPIPE, SIG_IGN);
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPair.data()) == 0) {
    for (const int end : signalPair) {
      ::fcntl(end, F_SETFL, ::fcntl(end, F_GETFL) | O_NONBLOCK);
      ::fcntl(end, F_SETFD, FD_CLOEXEC);
    }
  } else {
    signalPair = {-1, -1};
  }
  struct sigaction action {};
  action.sa_handler = OnEndingSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
#endif
}

void SaveOnEveryWayOut(QApplication& application, Main& window) {
  // A logout may end the process right after its request, without closing any
  // window; or it may be cancelled, and then everything goes on as before. A
  // cancel is how the session manager hears that the save failed.
  QObject::connect(&application, &QGuiApplication::commitDataRequest, &window,
                   [&window](QSessionManager& manager) {
                     if (!window.SaveForSessionEnd()) manager.cancel();
                   });
  QObject::connect(&application, &QCoreApplication::aboutToQuit, &window,
                   [&window] { window.SaveOnQuit(); });
  application.installEventFilter(new QuitWatcher(application, window));
  // The session manager gone, the session may be ending: the tally is saved,
  // and the trials go on.
  KeepRunningWithoutTheSessionManager([&window] { (void)window.SaveForSessionEnd(); });
#ifdef Q_OS_UNIX
  CloseOnSignals(application, window);
#endif
}

}  // namespace orvanel
