// The convergence chart: the record behind it, the band, the summary line, and
// the window.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <memory>
#include <numbers>
#include <vector>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include "chart/convergence_record.h"
#include "estimator/common_factor.h"
#include "estimator/random_pairs.h"
#include "gui/chart/chart_colours.h"
#include "gui/chart/convergence_chart.h"
#include "gui/chart/convergence_window.h"
#include "gui/widgets/contrast.h"
#include "gui/widgets/placement.h"
#include "support/main_window_test.h"
#include "support/peers.h"
#include "support/temp_files.h"

namespace orvanel {
namespace {

using testing::Action;
using testing::Find;

struct SummaryCase {
  const char* name;
  StatusFigures shown;
  const char* english;
};

std::ostream& operator<<(std::ostream& out, const SummaryCase& c) {
  return out << c.name;
}

class ConvergenceSummaryLine : public ::testing::TestWithParam<SummaryCase> {
 protected:
  void SetUp() override { QLocale::setDefault(QLocale::c()); }
  void TearDown() override { QLocale::setDefault(previous_); }

 private:
  QLocale previous_;
};

TEST_P(ConvergenceSummaryLine, GivesTheEstimateItsHalfWidthAndItsDistanceFromPi) {
  EXPECT_EQ(ConvergenceSummary(GetParam().shown), GetParam().english);
}

INSTANTIATE_TEST_SUITE_P(
    Tallies, ConvergenceSummaryLine,
    ::testing::Values(
        SummaryCase{"TenThousandPairs",
                    {3.1416626832299914, 10000, 6079},
                    "3.1417 ± 0.0247 (95 %), 0.0001 from pi\n10000 pairs, inside the 95 % band"},
        SummaryCase{"ThreeOfOne",
                    {3.0, 3, 2},
                    "3.0000 ± 1.2002 (95 %), 0.1416 from pi\n3 pairs, inside the 95 % band"},
        SummaryCase{"RightOnPi",
                    {3.14159, 1'000'000, 607'927},
                    "3.1416 ± 0.0025 (95 %), less than 0.0001 from pi\n1000000 pairs, inside "
                    "the 95 % band"},
        SummaryCase{"FarFromPi",
                    {3.3, 1'000'000, 550'964},
                    "3.3000 ± 0.0029 (95 %), 0.1584 from pi\n1000000 pairs, outside the 95 % "
                    "band"},
        SummaryCase{"NoCommonFactorYet",
                    {2.449489742783178, 1, 1},
                    "2.4495 (no ± before the first common factor), 0.6921 from pi\n1 pairs, "
                    "inside the 95 % band"},
        SummaryCase{"AfterReset", {0.0, 0, 0}, "No estimate yet"},
        SummaryCase{"OnlyCommonFactors", {0.0, 4, 0}, "No estimate yet"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConvergenceSummaryLine, UsesTheLocalesDecimalSeparator) {
  const QLocale previous;
  QLocale::setDefault(QLocale(QLocale::German));
  EXPECT_EQ(ConvergenceSummary({3.1416626832299914, 10000, 6079}),
            "3,1417 ± 0,0247 (95 %), 0,0001 from pi\n10.000 pairs, inside the 95 % band")
      << "the count grouped as the locale groups it";
  QLocale::setDefault(previous);
}

class ChartWindow : public testing::MainWindowTest {
 protected:
  ConvergenceWindow* Open() {
    Action(window(), "ConvergenceChartMenu")->trigger();
    return Find<ConvergenceWindow>(window(), "ConvergenceWindow");
  }
  // The estimates drawn in the chart.
  const std::vector<ConvergenceRecord::Point>& Drawn(ConvergenceWindow& chart) {
    return testing::ConvergenceChartPeer::Points(
        *Find<ConvergenceChart>(chart, "ConvergenceChart"));
  }
};

TEST_F(ChartWindow, OpensOnceAndIsRaisedAgainNotDuplicated) {
  window().show();
  ConvergenceWindow* chart = Open();
  EXPECT_TRUE(chart->isVisible());
  EXPECT_TRUE(chart->isWindow());
  EXPECT_EQ(chart->windowTitle(), "Orvanel – Convergence");
  EXPECT_TRUE(timer()->isActive()) << "the main window works on";
  chart->hide();
  Action(window(), "ConvergenceChartMenu")->trigger();
  EXPECT_EQ(window().findChildren<ConvergenceWindow*>().size(), 1);
  EXPECT_TRUE(chart->isVisible());
}

// The count of the latest point drawn; 0 while none is.
std::int64_t Latest(const std::vector<ConvergenceRecord::Point>& drawn) {
  return drawn.empty() ? 0 : drawn.back().pairs;
}

TEST_F(ChartWindow, ShowsTheWholeRunFromTheLoadedTallyWhenOpenedLate) {
  rig.Load(TrialTally{1000, 392, 3.1414});
  for (int wake_up = 0; wake_up < 5; ++wake_up) rig.WakeUpAfter(std::chrono::milliseconds(50));
  ConvergenceWindow* chart = Open();
  const auto& drawn = Drawn(*chart);
  EXPECT_EQ(drawn.front(), (ConvergenceRecord::Point{1000, 3.1414}));
  EXPECT_EQ(drawn.back().pairs, window().Tally().Total);
  EXPECT_GT(drawn.size(), 50u) << "every few pairs of the run";
  const auto* drawing = Find<ConvergenceChart>(*chart, "ConvergenceChart");
  EXPECT_TRUE(drawing->accessibleDescription().endsWith("; continued from " +
                                                        QLocale().toString(1000) + " saved pairs"))
      << drawing->accessibleDescription().toStdString();
}

// A tally loaded at the limit meets it at the first tick: its point and its
// summary are both there, not a point under "No estimate yet".
TEST_F(ChartWindow, ShowsATallyLoadedAtTheLimit) {
  rig.Load(TrialTally{std::numeric_limits<std::int32_t>::max(), 839'000'000, 3.1416});
  rig.Tick();
  ConvergenceWindow* chart = Open();
  ASSERT_FALSE(Drawn(*chart).empty());
  EXPECT_EQ(Latest(Drawn(*chart)), std::numeric_limits<std::int32_t>::max());
  const QString summary = Find<QLabel>(*chart, "ConvergenceSummary")->text();
  EXPECT_TRUE(summary.contains(QLocale().toString(std::numeric_limits<std::int32_t>::max())))
      << summary.toStdString();
}

// Reset, a new file and a file without a single pair each start a new record,
// whether the chart is open or opened later: nothing of the run before is
// drawn, and the summary tells the new tally.
TEST(ChartRecord, StartsAnewWithANewTally) {
  testing::TempFolder folder;
  const std::string pairs = folder.Write("pairs.bin", testing::Records({1, 1, 1, 1}));
  const std::string empty = folder.Write("empty.bin", {1, 2, 3, 4, 5, 6, 7});
  const struct {
    const char* name;
    std::string file;  // none: Reset
    std::int64_t total;
  } events[] = {{"Reset", "", 0}, {"ANewFile", pairs, 2}, {"AFileWithoutAPair", empty, 0}};
  for (const auto& event : events) {
    for (const bool open : {true, false}) {
      SCOPED_TRACE(std::string(event.name) + (open ? ", open" : ", opened later"));
      testing::WindowRig rig;
      Main& window = *rig.window;
      auto* start_stop = Find<QPushButton>(window, "StartStopCommand");
      ConvergenceWindow* chart = nullptr;
      const auto open_chart = [&] {
        Action(window, "ConvergenceChartMenu")->trigger();
        chart = Find<ConvergenceWindow>(window, "ConvergenceWindow");
      };
      const auto drawn = [&] {
        return testing::ConvergenceChartPeer::Points(
            *Find<ConvergenceChart>(*chart, "ConvergenceChart"));
      };
      if (open) open_chart();
      rig.WakeUpAfter(std::chrono::milliseconds(250));  // 1000 pairs
      start_stop->click();
      if (event.file.empty()) {
        Find<QPushButton>(window, "ClearCommand")->click();
      } else {
        rig.openDialog->answers.push_back(QString::fromStdString(event.file));
        Action(window, "AnalyzeFile")->trigger();
        testing::WaitForTheOpen(window);
        rig.Tick();  // the file's pairs and its end, which stops the trials
      }
      ASSERT_EQ(window.Tally().Total, event.total);
      if (!open) open_chart();
      EXPECT_EQ(drawn().empty(), event.total == 0);
      if (event.total > 0) {
        EXPECT_EQ(drawn().back().pairs, event.total);
      }
      const QString summary = Find<QLabel>(*chart, "ConvergenceSummary")->text();
      EXPECT_EQ(summary == "No estimate yet", event.total == 0) << summary.toStdString();

      if (!open) chart->close();
      start_stop->click();
      rig.Tick();
      start_stop->click();
      if (!open) open_chart();
      ASSERT_FALSE(drawn().empty());
      EXPECT_EQ(drawn().front().pairs, 1) << "the new run from its first pair";
      EXPECT_EQ(drawn().back().pairs, window.Tally().Total);
    }
  }
}

// The record is saved beside the tally on the way out, and a later run goes
// on with it where it ends at the tally loaded; otherwise (the tally was saved
// without it, the file is damaged or gone) the chart begins at the tally and
// says so.
TEST(ChartRecord, IsCarriedWithTheTally) {
  const struct {
    const char* name;
    std::function<void(const std::filesystem::path& record, TrialTally& tally)> meanwhile;
    bool carried;
  } cases[] = {
      {"Kept", [](const auto&, TrialTally&) {}, true},
      {"TallySavedWithoutIt", [](const auto&, TrialTally& tally) { tally.Total += 4; }, false},
      {"Damaged",
       [](const auto& record, TrialTally&) {
         std::ofstream(record) << "Orvanel convergence record 1\n7";
       },
       false},
      {"Gone", [](const auto& record, TrialTally&) { std::filesystem::remove(record); }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TempFolder folder;
    const auto path = folder.Path() / "convergence-record.txt";
    const std::string record_path = path.string();
    std::vector<ConvergenceRecord::Point> before;
    TrialTally tally;
    {
      testing::WindowRig first(testing::OpenPatiently, nullptr, 0, record_path);
      first.Load(TrialTally{});
      first.WakeUpAfter(std::chrono::milliseconds(100));
      Action(*first.window, "ConvergenceChartMenu")->trigger();
      before = testing::ConvergenceChartPeer::Points(
          *Find<ConvergenceChart>(*first.window, "ConvergenceChart"));
      Action(*first.window, "ExitMenu")->trigger();
      tally = first.window->Tally();
    }
    ASSERT_EQ(before.back().pairs, tally.Total);
    c.meanwhile(path, tally);

    testing::WindowRig next(testing::OpenPatiently, nullptr, 0, record_path);
    next.Load(tally);
    Action(*next.window, "ConvergenceChartMenu")->trigger();
    const auto* chart = Find<ConvergenceChart>(*next.window, "ConvergenceChart");
    const auto& drawn = testing::ConvergenceChartPeer::Points(*chart);
    const QString note = "continued from " + QLocale().toString(tally.Total) + " saved pairs";
    if (c.carried) {
      EXPECT_EQ(drawn, before);
    } else {
      const TrialTally loaded = next.window->Tally();
      EXPECT_EQ(drawn, (std::vector<ConvergenceRecord::Point>{{loaded.Total, loaded.Estimate}}));
    }
    EXPECT_EQ(chart->accessibleDescription().endsWith(note), !c.carried)
        << chart->accessibleDescription().toStdString();
  }
}

// The status lines are drawn at every wake-up 100 ms apart; the chart follows
// every fifth: twice a second.
TEST_F(ChartWindow, FollowsTheTrialsTwiceASecond) {
  ConvergenceWindow* chart = Open();
  std::vector<std::int64_t> drawn;
  std::int64_t at_the_fifth = 0;
  for (int wake_up = 1; wake_up <= 6; ++wake_up) {
    rig.WakeUpAfter(std::chrono::milliseconds(100));
    drawn.push_back(Latest(Drawn(*chart)));
    if (wake_up == 5) at_the_fifth = window().Tally().Total;
  }
  EXPECT_EQ(drawn, (std::vector<std::int64_t>{0, 0, 0, 0, at_the_fifth, at_the_fifth}));
  startStop()->click();
  const std::int64_t at_the_stop = window().Tally().Total;
  EXPECT_GT(at_the_stop, at_the_fifth);
  EXPECT_EQ(Latest(Drawn(*chart)), at_the_stop) << "the stop draws what is pending";
  chart->hide();
  startStop()->click();
  rig.WakeUpAfter(std::chrono::milliseconds(600));
  EXPECT_EQ(Latest(Drawn(*chart)), at_the_stop) << "a hidden chart is not drawn";
  Action(window(), "ConvergenceChartMenu")->trigger();
  EXPECT_EQ(Latest(Drawn(*chart)), window().Tally().Total)
      << "but shown again with the whole record";
}

// Save Image… writes what the window shows, at its size: the chart, and the
// summary line under it, in the palette in use.
TEST_F(ChartWindow, SavesWhatTheWindowShows) {
  rig.Load(TrialTally{100000, 39200, 3.14});
  rig.Tick();
  ConvergenceWindow* chart = Open();
  const QSize size = QSize(500, 360).expandedTo(chart->minimumSizeHint());  // a wide font
  chart->resize(size);
  QCoreApplication::processEvents();
  QTemporaryDir folder;
  rig.saveDialog->answer = folder.filePath("chart");
  Find<QPushButton>(*chart, "SaveImage")->click();
  // Written apart, and soon. Under wine a file that has just appeared by a
  // rename cannot always be read at once: it is read once it can be.
  QImage image;
  ASSERT_TRUE(testing::Within([&] { return image.load(folder.filePath("chart.png")); }))
      << "the image is written apart, and soon";
  ASSERT_EQ(image.size(), size);
  EXPECT_EQ(rig.saveDialog->suggestedNames, QStringList{"convergence.png"});

  const auto* summary = Find<QLabel>(*chart, "ConvergenceSummary");
  const QColor window_colour = chart->palette().color(QPalette::Window);
  int written = 0;
  for (int x = summary->x(); x < summary->geometry().right(); ++x) {
    for (int y = summary->y(); y < summary->geometry().bottom(); ++y) {
      written += image.pixelColor(x, y) != window_colour;
    }
  }
  EXPECT_GT(written, 50) << "the summary line is in the image";
  const auto* drawing = Find<ConvergenceChart>(*chart, "ConvergenceChart");
  const QPoint in_plot = drawing->mapTo(
      chart, testing::ConvergenceChartPeer::LayOut(*drawing).plot.center().toPoint());
  EXPECT_NE(image.pixelColor(in_plot), window_colour) << "the chart is in the image";
}

// Only a regular file is replaced, and none is waited for: a folder, a FIFO
// that nobody reads, a folder that is not there are each told in plain words.
TEST_F(ChartWindow, AnImageThatCannotBeWrittenIsToldWithTheReason) {
  ConvergenceWindow* chart = Open();
  QTemporaryDir folder;
  QDir(folder.path()).mkdir("a folder.png");
  struct Case {
    QString name;
    QString reason;
  } cases[] = {{"no-such-folder/chart.png", "there is no such file or folder"},
               {"a folder.png", "it is a folder"}};
  std::vector<Case> all(std::begin(cases), std::end(cases));
#ifdef Q_OS_UNIX
  ASSERT_EQ(::mkfifo(QFile::encodeName(folder.filePath("pipe.png")).constData(), 0600), 0);
  all.push_back({"pipe.png", "it is not a regular file"});
#endif
  for (const Case& c : all) {
    rig.messenger->messages.clear();
    rig.saveDialog->answer = folder.filePath(c.name);
    Find<QPushButton>(*chart, "SaveImage")->click();
    ASSERT_TRUE(testing::Within([&] { return !rig.messenger->messages.isEmpty(); }))
        << c.name.toStdString();
    EXPECT_EQ(rig.messenger->messages[0], "The image could not be saved as " +
                                              QDir::toNativeSeparators(folder.filePath(c.name)) +
                                              ": " + c.reason + ". Choose another folder.");
  }
}

// An image write outlives the chart's window: one that fails after the window
// has closed is told over the main window; one still under way when the
// program ends is given a last moment and, unfinished, told on stderr.
TEST_F(ChartWindow, AnImageWriteThatOutlivesItsWindowIsStillTold) {
  window().show();
  QTemporaryDir folder;
  rig.saveDialog->answer = folder.filePath("chart.png");
  rig.writes->hold = true;
  Find<QPushButton>(*Open(), "SaveImage")->click();
  Open()->close();
  QCoreApplication::processEvents();
  EXPECT_TRUE(window().findChildren<ConvergenceWindow*>().isEmpty()) << "the chart's window went";
  rig.writes->Release(SystemFailure(ENOSPC));
  ASSERT_TRUE(testing::Within([&] { return !rig.messenger->messages.isEmpty(); }));
  EXPECT_EQ(rig.messenger->messages[0],
            "The image could not be saved as " +
                QDir::toNativeSeparators(folder.filePath("chart.png")) +
                ": there is no space left on the disk. Choose another folder.");

  rig.writes->hold = true;
  Find<QPushButton>(*Open(), "SaveImage")->click();
  ::testing::internal::CaptureStderr();
  Action(window(), "ExitMenu")->trigger();
  const std::string told = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(told.find("Saving the image as " +
                      QDir::toNativeSeparators(folder.filePath("chart.png")).toStdString() +
                      " did not finish in time"),
            std::string::npos)
      << told;
  EXPECT_EQ(rig.messenger->messages.size(), 1) << "nothing waits for a click as the program ends";
  rig.writes->Release(std::nullopt);
}

// A screen reader meets the window as a window with its title, and the chart
// as a chart, named, and described by the summary line as it is shown.
TEST_F(ChartWindow, IsHeardByAScreenReader) {
  ConvergenceWindow* chart = Open();
  auto* drawing = Find<ConvergenceChart>(*chart, "ConvergenceChart");
  QAccessibleInterface* window_access = QAccessible::queryAccessibleInterface(chart);
  ASSERT_NE(window_access, nullptr);
  EXPECT_EQ(window_access->role(), QAccessible::Window);
  EXPECT_EQ(window_access->text(QAccessible::Name), "Orvanel – Convergence");
  QAccessibleInterface* chart_access = QAccessible::queryAccessibleInterface(drawing);
  ASSERT_NE(chart_access, nullptr);
  EXPECT_EQ(chart_access->role(), QAccessible::Chart);
  EXPECT_EQ(chart_access->text(QAccessible::Name), "Convergence chart");
  EXPECT_EQ(chart_access->text(QAccessible::Description), "No estimate yet");

  rig.Tick();
  startStop()->click();  // draws the chart at once
  const QString lines = Find<QLabel>(*chart, "ConvergenceSummary")->text();
  ASSERT_NE(lines, "No estimate yet");
  const QString summary = QString(lines).replace('\n', "; ");  // read out as one line
  EXPECT_TRUE(summary.contains(" pairs, ")) << "with the count";
  EXPECT_EQ(chart_access->text(QAccessible::Description), summary);
}

// The chart opens beside the main window, never over it where the screen has
// room: to the right, else the left, below, above; where none has room, on the
// roomiest side, on the screen.
TEST(PlaceBeside, PutsTheWindowWhereItCoversNothing) {
  const QRect screen(0, 0, 1920, 1080);
  const QSize chart(640, 440);
  struct Case {
    const char* name;
    QRect anchor;
    QPoint at;
  } cases[] = {
      {"RoomOnTheRight", QRect(100, 100, 500, 300), QPoint(608, 100)},
      {"RoomOnTheLeftOnly", QRect(1300, 100, 500, 300), QPoint(652, 100)},
      {"RoomBelowOnly", QRect(200, 50, 1500, 300), QPoint(200, 358)},
      {"RoomAboveOnly", QRect(200, 600, 1500, 400), QPoint(200, 152)},
      {"NearTheBottomKeptOnScreen", QRect(100, 900, 500, 150), QPoint(608, 640)},
      {"NoRoomAnywhereTheRoomiestSide", QRect(300, 200, 1400, 700), QPoint(0, 200)},
  };
  for (const Case& c : cases) {
    const QPoint at = PlaceBeside(c.anchor, chart, screen);
    EXPECT_EQ(at, c.at) << c.name;
    EXPECT_TRUE(screen.contains(QRect(at, chart))) << c.name;
  }
}

// Text, axes and every line stand out from the plot's background enough to be
// read, in a light palette and in a dark one.
TEST(ChartColours, StandOutInALightAndADarkPalette) {
  const std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
  const QPalette light = fusion->standardPalette();
  QPalette dark = light;
  dark.setColor(QPalette::Base, QColor(28, 28, 30));
  dark.setColor(QPalette::Text, QColor(230, 230, 230));
  QPalette murky = light;  // a theme whose text barely differs from its background
  murky.setColor(QPalette::Base, QColor(120, 120, 120));
  murky.setColor(QPalette::Text, QColor(100, 100, 100));
  for (const auto& [name, palette] :
       {std::pair{"light", light}, std::pair{"dark", dark}, std::pair{"murky", murky}}) {
    const ChartColours colours = ChartColoursFor(palette);
    EXPECT_EQ(colours.background, palette.color(QPalette::Base)) << name;
    EXPECT_GE(ContrastRatio(colours.text, colours.background), 4.5) << name;
    EXPECT_GE(ContrastRatio(colours.estimate, colours.background), 4.5) << name;
    EXPECT_GE(ContrastRatio(colours.pi, colours.background), 3.0) << name;
    EXPECT_GE(ContrastRatio(colours.pi, colours.bandOnBackground), 3.0) << name << " in the band";
    EXPECT_GE(ContrastRatio(colours.bandEdge, colours.background), 3.0) << name;
    if (palette == murky) continue;  // no colour stands far from a mid grey
    // In grey, by lightness alone, the estimate stands apart from what it meets.
    EXPECT_GE(ContrastRatio(colours.estimate, colours.bandOnBackground), 4.5) << name;
    EXPECT_GE(ContrastRatio(colours.estimate, colours.pi), 1.8) << name << " pi";
    EXPECT_GE(ContrastRatio(colours.estimate, colours.bandEdge), 1.8) << name << " edge";
  }
  EXPECT_EQ(ChartColoursFor(light).text, light.color(QPalette::Text)) << "the theme's own text";
  EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
}

}  // namespace
}  // namespace orvanel
