// Runs, in one process, a bare 1 ms QTimer for ten seconds and then the real main
// window for ten seconds with its trials running and five with them stopped, and
// prints for each: trials per second, CPU time per second of wall time, and
// wake-ups per second of the window's thread (its voluntary context switches).
// Run: build/release/bench/tick_probe (offscreen unless QT_QPA_PLATFORM says
// otherwise; under xvfb-run set QT_QPA_PLATFORM=xcb).
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <memory>

#include "main_window.h"
#include "number_reader.h"

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#endif

namespace {

struct Usage {
  double cpuSeconds = 0;
  long long wakeUps = 0;  // voluntary context switches of this thread
};

Usage ThreadUsage() {
#ifdef Q_OS_LINUX
  rusage usage{};
  getrusage(RUSAGE_THREAD, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return Usage{seconds(usage.ru_utime) + seconds(usage.ru_stime), usage.ru_nvcsw};
#else
  return Usage{};
#endif
}

struct Phase {
  double seconds = 0;
  double cpuSeconds = 0;
  long long wakeUps = 0;
  double trials = 0;

  void Print(const char* name) const {
    std::printf("%-26s %9.1f trials/s %8.4f s CPU per s %8.1f wake-ups/s\n", name, trials / seconds,
                cpuSeconds / seconds, wakeUps / seconds);
  }
};

// Runs the event loop for `seconds` and measures this thread meanwhile.
Phase Measure(int seconds) {
  QEventLoop loop;
  QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
  const Usage before = ThreadUsage();
  QElapsedTimer wall;
  wall.start();
  loop.exec();
  const Usage after = ThreadUsage();
  return Phase{wall.nsecsElapsed() / 1e9, after.cpuSeconds - before.cpuSeconds,
               after.wakeUps - before.wakeUps, 0};
}

double SavedTotal() {
  QSettings saved(QSettings::NativeFormat, QSettings::UserScope, "Orvanel", "Orvanel");
  return orvanel::ReadNumber(saved.value("History/Total").toString().toStdString());
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QTemporaryDir settings;  // the probe never touches the user's own history
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  constexpr int kSeconds = 10;

  long long bare_ticks = 0;
  QTimer bare;
  bare.setTimerType(Qt::PreciseTimer);
  bare.setInterval(1);
  QObject::connect(&bare, &QTimer::timeout, &bare, [&bare_ticks] { ++bare_ticks; });
  bare.start();
  Phase bare_phase = Measure(kSeconds);
  bare.stop();
  bare_phase.trials = 4.0 * static_cast<double>(bare_ticks);  // four trials a tick, were it Orvanel

  auto window = std::make_unique<orvanel::Main>(orvanel::DesktopServices());
  window->Form_Load();
  window->show();
  Phase running = Measure(kSeconds);
  window->findChild<QPushButton*>("StartStopCommand")->click();  // Stop
  Phase stopped = Measure(kSeconds / 2);
  window->close();  // saves the tally, which tells how many trials ran
  running.trials = SavedTotal();

  std::printf("platform: %s, %d s per phase\n", qPrintable(QApplication::platformName()), kSeconds);
  bare_phase.Print("bare 1 ms QTimer (x4)");
  running.Print("Orvanel, trials running");
  stopped.Print("Orvanel, trials stopped");
  std::printf("trials per second: %.1f %% of 4,000\n",
              100.0 * running.trials / running.seconds / 4000.0);
  std::printf(
      "CPU per second: %.3f times the bare timer's\n",
      (running.cpuSeconds / running.seconds) / (bare_phase.cpuSeconds / bare_phase.seconds));
  return 0;
}
