// The signals that end the program, on POSIX systems.
#include <QCoreApplication>
#include <QObject>
#include <QSocketNotifier>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include "ending_signals.h"

namespace orvanel {

namespace {

// The handler only writes a byte; the event loop reads it and quits like any
// other quit. Both ends never block: a burst of signals fills the pair, and
// then a quit is already pending. The handler runs on whichever thread the
// kernel picks, so what it shares with the window's thread is lock-free atomic.
std::array<int, 2> signalPair{-1, -1};
std::atomic<bool> loopTakesSignals{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void OnEndingSignal(int) {
  if (!loopTakesSignals.load()) ::_exit(0);
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

}  // namespace

void EndAtOnceOnSignals() {
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
}

void QuitOnSignals(QObject& context) {
  if (signalPair[1] < 0) return;
  auto* notifier = new QSocketNotifier(signalPair[1], QSocketNotifier::Read, &context);
  QObject::connect(notifier, &QSocketNotifier::activated, &context, [] {
    DrainSignalPair();
    QCoreApplication::quit();
  });
  loopTakesSignals.store(true);
}

}  // namespace orvanel
