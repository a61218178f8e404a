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
    window.CloseUnattended();
    QCoreApplication::quit();  // also ends the loop of a modal window that may be open
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
  // A logout may end the process right after its request, without closing any
  // window; or it may be cancelled, and then everything goes on as before.
  QObject::connect(&application, &QGuiApplication::commitDataRequest, &window,
                   [&window] { window.SaveForSessionEnd(); });
  QObject::connect(&application, &QCoreApplication::aboutToQuit, &window,
                   [&window] { window.SaveOnQuit(); });
#ifdef Q_OS_UNIX
  CloseOnSignals(application, window);
#endif
}

}  // namespace orvanel
