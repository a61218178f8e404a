// Runs, in one process, a bare 1 ms QTimer for ten seconds and then the real main
// window for ten seconds with its trials running, forty more taking turns with
// the convergence chart closed and open, and five with the trials stopped, and
// prints for each: trials per second, CPU time per second of wall time, wake-ups
// per second of the window's thread (its voluntary context switches) and how
// often the chart was redrawn.
// Run: build/release/bench/tick_probe (offscreen unless QT_QPA_PLATFORM says
// otherwise; under xvfb-run set QT_QPA_PLATFORM=xcb).
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "chart/convergence_record.h"
#include "gui/main/main_window.h"
#include "gui/main/presenter.h"
#include "probe_settings.h"

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

  Phase& operator+=(const Phase& other) {
    seconds += other.seconds;
    cpuSeconds += other.cpuSeconds;
    wakeUps += other.wakeUps;
    trials += other.trials;
    return *this;
  }

  void Print(const char* name) const {
    std::printf("%-26s %9.1f trials/s %8.4f s CPU per s %8.1f wake-ups/s\n", name, trials / seconds,
                cpuSeconds / seconds, wakeUps / seconds);
  }
};

// Runs the event loop for `seconds` and measures this thread meanwhile.
Phase Measure(double seconds) {
  QEventLoop loop;
  QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
  const Usage before = ThreadUsage();
  QElapsedTimer wall;
  wall.start();
  loop.exec();
  const Usage after = ThreadUsage();
  return Phase{wall.nsecsElapsed() / 1e9, after.cpuSeconds - before.cpuSeconds,
               after.wakeUps - before.wakeUps, 0};
}

// Counts the paintings of one widget.
class PaintCounter final : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return QObject::eventFilter(watched, event);
  }
  long long paints = 0;
};

// CPU time of one point added to the convergence record, in seconds: ten
// million points, thinning included, as a long run adds them.
double RecordPointCost() {
  orvanel::ConvergenceRecord record;
  constexpr int kPoints = 10'000'000;
  const Usage before = ThreadUsage();
  for (std::int64_t pairs = 1; pairs <= kPoints; ++pairs) record.Add(pairs * 200, 3.14);
  return (ThreadUsage().cpuSeconds - before.cpuSeconds) / kPoints;
}

}  // namespace

int main(int argc, char* argv[]) {
  const orvanel::bench::ProbeSettings settings;
  QApplication application(argc, argv);
  constexpr int kSeconds = 10;
  constexpr int kChartSlices = 10;  // of two seconds closed and two open

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
  running.trials = window->Tally().Total;

  // The chart's cost against the same window without it: slices of two seconds
  // each, taken in turn with the chart shown and hidden, so that both see the
  // same machine. The chart is made once, as a user makes it once, and each
  // showing is left a moment to paint it whole before the slice begins.
  window->findChild<QAction*>("ConvergenceChartMenu")->trigger();
  auto* chart_view = window->findChild<QWidget*>("ConvergenceChart");
  QWidget* chart = chart_view->window();
  PaintCounter chart_paints;
  chart_view->installEventFilter(&chart_paints);
  Phase closed;
  Phase charted;
  std::vector<double> slice_ratios;  // the machine's own noise is of the chart's size
  const auto measure_trials = [&window](int seconds) {
    const double before = window->Tally().Total;
    Phase phase = Measure(seconds);
    phase.trials = window->Tally().Total - before;
    return phase;
  };
  for (int slice = 0; slice < kChartSlices; ++slice) {
    chart->hide();
    const Phase closed_slice = measure_trials(2);
    window->findChild<QAction*>("ConvergenceChartMenu")->trigger();
    (void)Measure(0.25);
    const Phase charted_slice = measure_trials(2);
    closed += closed_slice;
    charted += charted_slice;
    slice_ratios.push_back(charted_slice.cpuSeconds / closed_slice.cpuSeconds);
  }
  std::sort(slice_ratios.begin(), slice_ratios.end());

  window->findChild<QPushButton*>("StartStopCommand")->click();  // Stop
  Phase stopped = Measure(kSeconds / 2);
  window->close();

  std::printf("platform: %s, %d s per phase\n", qPrintable(QApplication::platformName()), kSeconds);
  bare_phase.Print("bare 1 ms QTimer (x4)");
  running.Print("Orvanel, trials running");
  closed.Print("Orvanel, chart closed");
  charted.Print("Orvanel, chart open");
  stopped.Print("Orvanel, trials stopped");
  std::printf("chart redraws per second: %.1f\n", chart_paints.paints / charted.seconds);
  std::printf(
      "CPU per second with the chart open: %.2f times with it closed (median of %d "
      "slices: %.2f)\n",
      (charted.cpuSeconds / charted.seconds) / (closed.cpuSeconds / closed.seconds), kChartSlices,
      slice_ratios[slice_ratios.size() / 2]);
  // With the chart closed the record is all it costs: a point per drawing of the
  // status lines, against the CPU time of the ticks between two drawings.
  const double tick_cpu = running.cpuSeconds / (running.trials / 4.0);
  const double points_per_tick = 1000.0 / orvanel::Presenter::kLinesInterval.count() / 1000.0;
  const double point_cost = RecordPointCost();
  std::printf("convergence record: %.1f ns per point, %.3f %% of a tick's CPU\n", point_cost * 1e9,
              100.0 * point_cost * points_per_tick / tick_cpu);
  std::printf("trials per second: %.1f %% of 4,000\n",
              100.0 * running.trials / running.seconds / 4000.0);
  std::printf(
      "CPU per second: %.3f times the bare timer's\n",
      (running.cpuSeconds / running.seconds) / (bare_phase.cpuSeconds / bare_phase.seconds));
  return 0;
}
