// Takes the screenshots in docs/: both windows in every shipped language, with
// 10-digit counts, the convergence chart after three minutes of trials in a
// light and a dark palette, after a file of 100 pairs, for a tally carried from
// earlier runs, and after a run at full speed to the limit of the count (some
// minutes), on fakes (no settings of the
// user are read or written). Run under a real X server, at twice the scale:
//   QT_SCALE_FACTOR=2 QT_QPA_PLATFORM=xcb xvfb-run -a build/release/tests/take_screenshots docs
// With --windows, run under wine, it takes the main window alone as
// docs/windows-en.png (tools/windows screenshot). With --laptop, on a small
// screen at twice the scale, it takes the whole screen with the chart's window
// and with the help window opened beside the main one:
//   QT_SCALE_FACTOR=2 QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1366x768x24"
//     build/release/tests/take_screenshots docs --laptop   (one line)
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <numbers>
#include <random>

#include <QAction>
#include <QEventLoop>
#include <QTimer>

#include "gui/chart/convergence_window.h"
#include "gui/main/tick_timer.h"
#include "gui/platform/document_help_viewer.h"
#include "gui/platform/translations.h"
#include "gui/widgets/about_play.h"
#include "gui/widgets/placement.h"
#include "support/peers.h"
#include "support/window_fakes.h"

namespace {

// The main window in `language` with ten-digit counts in the proportion that
// gives pi, saved as main_file; with about_file, the About window too.
void TakeLanguageShots(const char* language, const QString& main_file,
                       const QString& about_file = QString()) {
  QLocale::setDefault(QLocale(language));
  orvanel::Translations translations;
  translations.Use(QLocale(language));

  constexpr std::int32_t kTotal = 2'147'480'000;
  const auto hits = static_cast<std::int32_t>(
      std::round(kTotal * (1.0 - 6.0 / (std::numbers::pi * std::numbers::pi))));
  orvanel::testing::WindowRig rig;
  rig.Load(orvanel::TrialTally{kTotal, hits, 0.0});
  rig.Tick();
  rig.window->show();
  QApplication::processEvents();
  rig.window->grab().save(main_file);
  std::printf("%s\n", qPrintable(main_file));
  if (about_file.isEmpty()) return;

  orvanel::AboutPlay about(rig.window.get());
  about.show();
  QApplication::processEvents();
  about.grab().save(about_file);
  std::printf("%s\n", qPrintable(about_file));
}

// Lets the windows be drawn, then saves the whole screen as `file`.
void SaveTheScreen(const QString& file) {
  QEventLoop settle;
  QTimer::singleShot(1000, &settle, &QEventLoop::quit);
  settle.exec();
  QApplication::primaryScreen()->grabWindow(0).save(file);
  std::printf("%s\n", qPrintable(file));
}

// The main window where the program puts it, with the chart's window and then
// the help window where they open beside it.
void TakeScreenShots(const QDir& folder) {
  orvanel::testing::WindowRig rig;
  rig.Load(orvanel::TrialTally{400'000, 156'812, 3.1409});
  rig.Tick();
  orvanel::Main& window = *rig.window;
  window.adjustSize();
  window.move(
      orvanel::Centred(window.frameGeometry().size(), window.screen()->availableGeometry()));
  window.show();
  window.findChild<QAction*>("ConvergenceChartMenu")->trigger();
  SaveTheScreen(folder.filePath("screen-chart.png"));
  window.findChild<orvanel::ConvergenceWindow*>()->close();
  orvanel::DocumentHelpViewer help;
  help.ShowContents(&window);
  SaveTheScreen(folder.filePath("screen-help.png"));
}

// The real window with the random generator, from a fresh start: fakes keep
// the user's settings, the clock and any message box out of it.
struct RandomRun {
  // With `saved`, a tally that earlier runs left behind without the chart's record.
  explicit RandomRun(const orvanel::TrialTally* saved = nullptr) {
    orvanel::PlatformServices services = orvanel::DesktopServices();
    auto store = std::make_unique<orvanel::testing::RecordingStore>();
    if (saved != nullptr) {
      store->values = {{"Estimate", orvanel::NumberText(saved->Estimate)},
                       {"Total", orvanel::NumberText(saved->Total)},
                       {"Hits", orvanel::NumberText(saved->Hits)}};
    }
    services.settingsStore = std::move(store);
    services.recordPath.clear();  // never the user's record
    services.messenger = std::make_unique<orvanel::testing::RecordingMessenger>();
    auto fake_clock = std::make_unique<orvanel::testing::FakeClock>();
    clock = fake_clock.get();
    services.clock = std::move(fake_clock);
    auto open = std::make_unique<orvanel::testing::ScriptedOpenDialog>();
    openDialog = open.get();
    services.openDialog = std::move(open);
    window = std::make_unique<orvanel::Main>(std::move(services));
    window->Form_Load();
  }
  orvanel::testing::FakeClock* clock;
  orvanel::testing::ScriptedOpenDialog* openDialog;
  std::unique_ptr<orvanel::Main> window;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const QStringList arguments = QApplication::arguments();
  const QDir folder(arguments.size() > 1 ? arguments[1] : ".");
  if (arguments.contains("--windows")) {  // under wine: the main window as Windows draws it
    TakeLanguageShots("en", folder.filePath("windows-en.png"));
    return 0;
  }
  if (arguments.contains("--laptop")) {
    TakeScreenShots(folder);
    return 0;
  }
  for (const char* language : orvanel::testing::kShippedLanguages) {
    TakeLanguageShots(language, folder.filePath(QString("main-%1.png").arg(language)),
                      folder.filePath(QString("about-%1.png").arg(language)));
  }

  // Three minutes of trials from a fresh start, with the random generator.
  QLocale::setDefault(QLocale("en"));
  RandomRun run;
  orvanel::Main& window = *run.window;
  orvanel::testing::FakeClock& time = *run.clock;
  window.show();
  window.findChild<QAction*>("ConvergenceChartMenu")->trigger();
  auto* chart = window.findChild<orvanel::ConvergenceWindow*>();
  auto* timer = window.findChild<orvanel::TickTimer*>("Timer1");
  for (int wake_up = 0; wake_up < 180'000 / 16; ++wake_up) {
    time.Advance(std::chrono::milliseconds(16));
    orvanel::testing::TickTimerPeer::RunDueTicks(*timer);
  }
  window.findChild<QPushButton*>("StartStopCommand")->click();
  QApplication::processEvents();
  const QString running_file = folder.filePath("running-en.png");
  window.grab().save(running_file);
  std::printf("%s\n", qPrintable(running_file));

  // The chart in Fusion's light palette and in a dark one, as Save Image… writes it.
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  const QPalette light = QApplication::style()->standardPalette();
  QPalette dark = light;
  dark.setColor(QPalette::Window, QColor(45, 45, 48));
  dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
  dark.setColor(QPalette::Base, QColor(28, 28, 30));
  dark.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
  dark.setColor(QPalette::Text, QColor(230, 230, 230));
  dark.setColor(QPalette::Button, QColor(53, 53, 56));
  dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
  const std::pair<const char*, QPalette> palettes[] = {{"chart-light.png", light},
                                                       {"chart-dark.png", dark}};
  for (const auto& [name, palette] : palettes) {
    QApplication::setPalette(palette);
    QApplication::processEvents();
    const QString chart_file = folder.filePath(name);
    chart->Image().save(chart_file);
    std::printf("%s\n", qPrintable(chart_file));
  }

  // A student's file of 100 random pairs, analyzed to its end.
  {
    QApplication::setPalette(light);
    RandomRun file_run;
    const QString pairs = folder.filePath("orvanel-100-pairs.bin");
    QFile out(pairs);
    out.open(QIODevice::WriteOnly);
    std::mt19937 engine(100);
    for (int number = 0; number < 200; ++number) {
      const auto value = static_cast<std::uint32_t>(engine() >> 8);
      out.write(reinterpret_cast<const char*>(&value), 4);  // little-endian, as x86 stores it
    }
    out.close();
    file_run.window->show();
    file_run.openDialog->answers.push_back(pairs);
    file_run.window->findChild<QAction*>("AnalyzeFile")->trigger();
    orvanel::testing::WaitForTheOpen(*file_run.window);
    auto* file_timer = file_run.window->findChild<orvanel::TickTimer*>("Timer1");
    while (file_timer->isActive()) {
      file_run.clock->Advance(std::chrono::milliseconds(16));
      orvanel::testing::TickTimerPeer::RunDueTicks(*file_timer);
    }
    file_run.window->findChild<QAction*>("ConvergenceChartMenu")->trigger();
    QApplication::processEvents();
    const QString file_chart = folder.filePath("chart-100-pairs.png");
    file_run.window->findChild<orvanel::ConvergenceWindow*>()->Image().save(file_chart);
    std::printf("%s\n", qPrintable(file_chart));
    QFile::remove(pairs);
  }

  // A tally of 50,000,000 pairs carried from earlier runs, then a minute more.
  {
    constexpr std::int32_t kSaved = 50'000'000;
    const auto hits = static_cast<std::int32_t>(
        std::round(kSaved * (1.0 - 6.0 / (std::numbers::pi * std::numbers::pi))));
    const orvanel::TrialTally saved{kSaved, hits, 3.1416};
    RandomRun carried(&saved);
    carried.window->show();
    auto* carried_timer = carried.window->findChild<orvanel::TickTimer*>("Timer1");
    for (int wake_up = 0; wake_up < 60'000 / 16; ++wake_up) {
      carried.clock->Advance(std::chrono::milliseconds(16));
      orvanel::testing::TickTimerPeer::RunDueTicks(*carried_timer);
    }
    carried.window->findChild<QAction*>("ConvergenceChartMenu")->trigger();
    QApplication::processEvents();
    const QString carried_chart = folder.filePath("chart-carried.png");
    carried.window->findChild<orvanel::ConvergenceWindow*>()->Image().save(carried_chart);
    std::printf("%s\n", qPrintable(carried_chart));
  }

  // A run at full speed from zero to the limit of the count: some minutes of the
  // machine's time, on a clock that moves as the slices would take it.
  QApplication::setPalette(light);
  RandomRun fast;
  fast.window->show();
  fast.window->findChild<QAction*>("ConvergenceChartMenu")->trigger();
  fast.window->findChild<QAction*>("FullSpeedMenu")->trigger();
  auto* fast_timer = fast.window->findChild<orvanel::TickTimer*>("Timer1");
  while (fast_timer->isActive()) {
    orvanel::testing::TickTimerPeer::RunSlice(*fast_timer, 20'000);
    fast.clock->Advance(std::chrono::milliseconds(8));
  }
  QApplication::processEvents();
  const QString limit_file = folder.filePath("chart-full-speed.png");
  fast.window->findChild<orvanel::ConvergenceWindow*>()->Image().save(limit_file);
  std::printf("%s\n", qPrintable(limit_file));
  return 0;
}
