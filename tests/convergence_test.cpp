// The convergence chart: the record behind it, the band, the summary line, and
// the window.
#include <gtest/gtest.h>

#include <QAction>
#include <QChartView>
#include <QImage>
#include <QLineSeries>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "common_factor.h"
#include "convergence_record.h"
#include "convergence_window.h"
#include "random_pairs.h"
#include "support/main_window_test.h"
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
    ::testing::Values(SummaryCase{"TenThousandPairs",
                                  {3.1416626832299914, 10000, 6079},
                                  "3.1417 ± 0.0247 (95 %), 0.0001 from pi"},
                      SummaryCase{
                          "ThreeOfOne", {3.0, 3, 2}, "3.0000 ± 1.2002 (95 %), 0.1416 from pi"},
                      SummaryCase{"AfterReset", {0.0, 0, 0}, "No estimate yet"},
                      SummaryCase{"OnlyCommonFactors", {0.0, 4, 0}, "No estimate yet"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConvergenceSummaryLine, UsesTheLocalesDecimalSeparator) {
  const QLocale previous;
  QLocale::setDefault(QLocale(QLocale::German));
  EXPECT_EQ(ConvergenceSummary({3.0, 3, 2}), "3,0000 ± 1,2002 (95 %), 0,1416 from pi");
  QLocale::setDefault(previous);
}

class ConvergenceChart : public testing::MainWindowTest {
 protected:
  ConvergenceWindow* Open() {
    Action(window(), "ConvergenceChartMenu")->trigger();
    return Find<ConvergenceWindow>(window(), "ConvergenceWindow");
  }
  // The estimates drawn in the chart.
  QList<QPointF> Drawn(ConvergenceWindow& chart) {
    auto* view = Find<QChartView>(chart, "ConvergenceChart");
    for (QAbstractSeries* series : view->chart()->series()) {
      if (series->name() == "estimate") return static_cast<QLineSeries*>(series)->points();
    }
    throw std::runtime_error("no estimate series");
  }
};

TEST_F(ConvergenceChart, OpensOnceAndIsRaisedAgainNotDuplicated) {
  window().show();
  ConvergenceWindow* chart = Open();
  EXPECT_TRUE(chart->isVisible());
  EXPECT_TRUE(chart->isWindow());
  EXPECT_EQ(chart->windowTitle(), "Convergence");
  EXPECT_TRUE(timer()->isActive()) << "the main window works on";
  chart->hide();
  Action(window(), "ConvergenceChartMenu")->trigger();
  EXPECT_EQ(window().findChildren<ConvergenceWindow*>().size(), 1);
  EXPECT_TRUE(chart->isVisible());
}

TEST_F(ConvergenceChart, ShowsTheWholeRunFromTheLoadedTallyWhenOpenedLate) {
  rig.Load(TrialTally{1000, 392, 3.1414});
  for (int wake_up = 0; wake_up < 5; ++wake_up) rig.WakeUpAfter(std::chrono::milliseconds(50));
  ConvergenceWindow* chart = Open();
  const QList<QPointF> drawn = Drawn(*chart);
  ASSERT_EQ(drawn.size(), 6) << "the loaded tally and one point per drawing of the status lines";
  EXPECT_EQ(drawn.front(), QPointF(1000, 3.1414));
  EXPECT_EQ(drawn.back().x(), window().Tally().Total);
}

TEST_F(ConvergenceChart, ResetAndANewFileStartANewRecord) {
  ConvergenceWindow* chart = Open();
  rig.WakeUpAfter(std::chrono::milliseconds(50));
  rig.WakeUpAfter(std::chrono::milliseconds(50));
  startStop()->click();
  EXPECT_EQ(Drawn(*chart).size(), 2);
  reset()->click();
  EXPECT_TRUE(Drawn(*chart).isEmpty());

  startStop()->click();
  rig.WakeUpAfter(std::chrono::milliseconds(50));
  startStop()->click();
  EXPECT_EQ(Drawn(*chart).size(), 1);
  startStop()->click();
  testing::TempFolder folder;
  rig.openDialog->answers.push_back(
      QString::fromStdString(folder.Write("pairs.bin", testing::Records({1, 1, 1, 1}))));
  Action(window(), "AnalyzeFile")->trigger();
  EXPECT_TRUE(Drawn(*chart).isEmpty());
  rig.Tick();  // two pairs, then the end of the file
  const QList<QPointF> drawn = Drawn(*chart);
  ASSERT_EQ(drawn.size(), 1);
  EXPECT_EQ(drawn.back().x(), 2);
}

// The status lines are drawn at every wake-up 100 ms apart; the chart follows
// every fifth: twice a second.
TEST_F(ConvergenceChart, FollowsTheTrialsTwiceASecond) {
  ConvergenceWindow* chart = Open();
  std::vector<qsizetype> drawn;
  for (int wake_up = 0; wake_up < 6; ++wake_up) {
    rig.WakeUpAfter(std::chrono::milliseconds(100));
    drawn.push_back(Drawn(*chart).size());
  }
  EXPECT_EQ(drawn, (std::vector<qsizetype>{0, 0, 0, 0, 5, 5}));
  startStop()->click();
  EXPECT_EQ(Drawn(*chart).size(), 6) << "the stop draws what is pending";
  chart->hide();
  startStop()->click();
  rig.WakeUpAfter(std::chrono::milliseconds(600));
  EXPECT_EQ(Drawn(*chart).size(), 6) << "a hidden chart is not drawn";
  Action(window(), "ConvergenceChartMenu")->trigger();
  EXPECT_EQ(Drawn(*chart).size(), 7) << "but shown again with the whole record";
}

TEST_F(ConvergenceChart, SavesAnImageOfTheWindowsSize) {
  ConvergenceWindow* chart = Open();
  chart->resize(500, 360);
  QTemporaryDir folder;
  rig.saveDialog->answer = folder.filePath("chart");
  Find<QPushButton>(*chart, "SaveImage")->click();
  const QImage image(folder.filePath("chart.png"));
  EXPECT_EQ(image.size(), QSize(500, 360));
  EXPECT_EQ(rig.saveDialog->suggestedNames, QStringList{"convergence.png"});

  rig.saveDialog->answer = folder.filePath("no-such-folder/chart.png");
  Find<QPushButton>(*chart, "SaveImage")->click();
  ASSERT_EQ(rig.messenger->messages.size(), 1);
  EXPECT_TRUE(rig.messenger->messages[0].contains("no-such-folder"));
}

}  // namespace
}  // namespace orvanel
