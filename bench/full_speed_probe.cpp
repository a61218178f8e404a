// Full Speed against the machine's limit, side by side in one process:
//   L    Estimator::Tick back to back, on one core, on a front end that only
//        keeps the figures;
//   (a)  the real window at Full Speed, random pairs, on one thread;
//   (b)  the real window at Full Speed, random pairs, on every core;
//   (c)  the real window at Full Speed, on a pair file in the page cache;
//   (d)  how long an event posted to the window (as a click or a key arrives)
//        waits to be handled while (b) runs: median, 99th percentile, most;
// and the design rate with Full Speed off, for comparison.
// Run: build/release/bench/full_speed_probe (offscreen unless QT_QPA_PLATFORM
// says otherwise). It writes a pair file of 256 MiB to the temporary folder.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#include "base/usable_cores.h"
#include "estimator/estimator.h"
#include "gui/main/main_window.h"
#include "keeping_front_end.h"
#include "probe_settings.h"

namespace {

using Clock = std::chrono::steady_clock;

// Trials a second of back-to-back ticks: the single-core limit.
double Limit(double seconds) {
  orvanel::bench::KeepingFrontEnd front_end;
  orvanel::ClockSeededGenerator generator;
  generator.SeedFromClock();
  orvanel::Estimator estimator(front_end, generator);
  const auto start = Clock::now();
  std::int64_t ticks = 0;
  while (std::chrono::duration<double>(Clock::now() - start).count() < seconds) {
    for (int i = 0; i < 1000; ++i) estimator.Tick();
    ticks += 1000;
    if (estimator.Tally().Total > 2'000'000'000) estimator.Reset();
  }
  return 4.0 * static_cast<double>(ticks) /
         std::chrono::duration<double>(Clock::now() - start).count();
}

void RunEventLoop(double seconds) {
  QEventLoop loop;
  QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
  loop.exec();
}

// Trials a second of the window, from its tally.
double WindowRate(orvanel::Main& window, double seconds) {
  const double before = window.Tally().Total;
  QElapsedTimer wall;
  wall.start();
  RunEventLoop(seconds);
  return (window.Tally().Total - before) / (wall.nsecsElapsed() / 1e9);
}

// An event that carries the moment it was posted.
class Posted final : public QEvent {
 public:
  static inline const auto kType = static_cast<QEvent::Type>(QEvent::registerEventType());
  Posted() : QEvent(kType), at(Clock::now()) {}
  Clock::time_point at;
};

class Waits final : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != Posted::kType) return false;
    waits.push_back(
        std::chrono::duration<double, std::milli>(Clock::now() - static_cast<Posted*>(event)->at)
            .count());
    return true;
  }
  std::vector<double> waits;
};

class ScriptedOpen final : public orvanel::OpenDialog {
 public:
  std::optional<QString> Open(QWidget*, const QString&) override { return answer; }
  std::optional<QString> answer;
};

}  // namespace

int main(int argc, char* argv[]) {
  const orvanel::bench::ProbeSettings settings;
  QApplication application(argc, argv);
  constexpr double kSeconds = 5;

  const double limit = Limit(kSeconds);

  // (a): a window of its own whose Full Speed runs on one thread.
  double one_thread = 0;
  {
    orvanel::PlatformServices services = orvanel::DesktopServices();
    services.fullSpeedThreads = 1;
    orvanel::Main window(std::move(services));
    window.Form_Load();
    window.show();
    window.findChild<QAction*>("FullSpeedMenu")->trigger();
    one_thread = WindowRate(window, kSeconds);
    window.close();
  }

  orvanel::PlatformServices services = orvanel::DesktopServices();
  auto open = std::make_unique<ScriptedOpen>();
  ScriptedOpen& open_dialog = *open;
  services.openDialog = std::move(open);
  orvanel::Main window(std::move(services));
  window.Form_Load();
  window.show();
  const double design_rate = WindowRate(window, 10);

  window.findChild<QAction*>("FullSpeedMenu")->trigger();
  Waits waits;
  window.installEventFilter(&waits);
  std::atomic<bool> posting{true};
  std::thread poster([&window, &posting] {
    std::mt19937 engine(3);
    std::uniform_int_distribution<int> pause(2, 12);
    while (posting) {
      QCoreApplication::postEvent(&window, new Posted);
      std::this_thread::sleep_for(std::chrono::milliseconds(pause(engine)));
    }
  });
  const double full_random = WindowRate(window, kSeconds);
  posting = false;
  poster.join();
  QCoreApplication::processEvents();
  window.removeEventFilter(&waits);

  // 256 MiB of random pairs, read once so that they lie in the page cache.
  const auto file = std::filesystem::temp_directory_path() / "orvanel-probe-pairs.bin";
  {
    std::ofstream out(file, std::ios::binary);
    std::mt19937 engine(5);
    std::vector<std::uint32_t> block(1 << 18);
    for (int mib = 0; mib < 256; ++mib) {
      for (auto& number : block) number = engine();
      out.write(reinterpret_cast<const char*>(block.data()),
                static_cast<std::streamsize>(block.size() * 4));
    }
  }
  {
    std::ifstream in(file, std::ios::binary);
    std::vector<char> sink(1 << 20);
    while (in.read(sink.data(), static_cast<std::streamsize>(sink.size()))) {
    }
  }
  open_dialog.answer = QString::fromStdString(file.string());
  window.findChild<QAction*>("AnalyzeFile")->trigger();
  while (window.FileBeingOpened()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  const double full_file = WindowRate(window, kSeconds);
  window.close();
  std::filesystem::remove(file);

  std::sort(waits.waits.begin(), waits.waits.end());
  const auto percentile = [&waits](double share) {
    return waits
        .waits[static_cast<std::size_t>(share * static_cast<double>(waits.waits.size() - 1))];
  };
  std::printf("platform: %s\n", qPrintable(QApplication::platformName()));
  std::printf("(L) ticks back to back, 1 core  %12.0f trials/s\n", limit);
  std::printf("(a) Full Speed, 1 thread        %12.0f trials/s  %.2f x L\n", one_thread,
              one_thread / limit);
  std::printf("(b) Full Speed, every core (%u)  %12.0f trials/s  %.2f x L, %.2f x (a)\n",
              orvanel::UsableCores(), full_random, full_random / limit, full_random / one_thread);
  std::printf("(c) Full Speed, pair file       %12.0f trials/s  %.2f x L\n", full_file,
              full_file / limit);
  std::printf(
      "(d) wait of a posted event during (b): median %.1f ms, 99th percentile %.1f ms, "
      "most %.1f ms (%zu events)\n",
      percentile(0.5), percentile(0.99), waits.waits.back(), waits.waits.size());
  std::printf("design rate, Full Speed off     %12.1f trials/s  %.2f %% of 4,000\n", design_rate,
              100.0 * design_rate / 4000.0);
  return 0;
}
