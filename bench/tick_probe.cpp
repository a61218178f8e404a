// Runs the real main window offscreen for ten seconds, after a bare 1 ms QTimer
// for ten seconds in the same process, and prints the tick rates, trials per
// second and CPU time per tick of both. Run: build/release/bench/tick_probe
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>

#include "main_window.h"
#include "number_reader.h"

namespace {

constexpr int kSeconds = 10;

struct Run {
  double seconds;
  double cpuSeconds;
  long long ticks;
};

template <typename Setup>
Run Measure(Setup&& setup) {
  QEventLoop loop;
  QTimer::singleShot(kSeconds * 1000, &loop, &QEventLoop::quit);
  const std::clock_t cpu_start = std::clock();
  QElapsedTimer wall;
  wall.start();
  setup();
  loop.exec();
  return Run{wall.nsecsElapsed() / 1e9, double(std::clock() - cpu_start) / CLOCKS_PER_SEC, 0};
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QTemporaryDir settings;  // the probe never touches the user's own history
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

  long long bare_ticks = 0;
  QTimer bare;
  bare.setTimerType(Qt::PreciseTimer);
  bare.setInterval(1);
  QObject::connect(&bare, &QTimer::timeout, &bare, [&bare_ticks] { ++bare_ticks; });
  Run bare_run = Measure([&bare] { bare.start(); });
  bare.stop();
  bare_run.ticks = bare_ticks;

  auto window = std::make_unique<orvanel::Main>(orvanel::DesktopServices());
  window->Form_Load();
  window->show();
  Run window_run = Measure([] {});
  window->close();  // saves the tally, which tells how many trials ran
  QSettings saved(QSettings::NativeFormat, QSettings::UserScope, "Orvanel", "Orvanel");
  const double trials = orvanel::ReadNumber(saved.value("History/Total").toString().toStdString());
  window_run.ticks = static_cast<long long>(trials) / 4;

  const double bare_rate = bare_run.ticks / bare_run.seconds;
  const double window_rate = window_run.ticks / window_run.seconds;
  const double trials_rate = trials / window_run.seconds;
  const double bare_cpu_per_tick = bare_run.cpuSeconds / bare_run.ticks * 1e6;
  const double window_cpu_per_tick = window_run.cpuSeconds / window_run.ticks * 1e6;
  std::printf("bare 1 ms QTimer : %8.1f ticks/s, CPU %6.3f s, %6.2f us CPU per tick\n", bare_rate,
              bare_run.cpuSeconds, bare_cpu_per_tick);
  std::printf("Orvanel window   : %8.1f ticks/s, CPU %6.3f s, %6.2f us CPU per tick\n", window_rate,
              window_run.cpuSeconds, window_cpu_per_tick);
  std::printf("trials per second: %8.1f (%.1f %% of four times the bare tick rate)\n", trials_rate,
              100.0 * trials_rate / (4.0 * bare_rate));
  std::printf("CPU per tick     : %.2f times the bare timer's\n", window_cpu_per_tick / bare_cpu_per_tick);
  return 0;
}
