#include "shutdown.h"

#include <QApplication>
#include <QSocketNotifier>

#include <array>
#include <csignal>
#include <cstdint>

#include "main_window.h"

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace orvanel {
namespace {

void UnloadOnce(Main& window) {
  std::int16_t cancel = 0;
  window.Form_Unload(cancel);  // does nothing after the first time
}

#ifdef Q_OS_UNIX
// The signal handler only writes a byte; the event loop reads it and closes the
// window like any other close.
std::array<int, 2> signalPipe{-1, -1};

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
}

void CloseOnSignals(QApplication& application, Main& window) {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe.data()) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, &application);
  QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
    char byte = 0;
    [[maybe_unused]] const auto read = ::read(signalPipe[1], &byte, 1);
    window.close();
    QCoreApplication::quit();  // also ends a modal dialog's loop that may be open
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}
#endif

}  // namespace

void SaveOnEveryWayOut(QApplication& application, Main& window) {
  // A logout may end the process right after these, without closing windows.
  QObject::connect(&application, &QGuiApplication::commitDataRequest, &window,
                   [&window] { UnloadOnce(window); });
  QObject::connect(&application, &QCoreApplication::aboutToQuit, &window,
                   [&window] { UnloadOnce(window); });
#ifdef Q_OS_UNIX
  CloseOnSignals(application, window);
#endif
}

}  // namespace orvanel
