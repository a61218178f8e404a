// How Timer1's ticks reach the trials: counted from a monotonic clock and run
// in one go at each wake-up, here driven by a fake clock.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>

#include <chrono>
#include <limits>

#include "estimator/errors.h"
#include "gui/main/tick_schedule.h"
#include "gui/main/tick_timer.h"
#include "support/fakes.h"
#include "support/main_window_test.h"
#include "support/temp_files.h"

namespace orvanel {
namespace {

using std::chrono::milliseconds;
using testing::Find;

TEST(TickSchedule, CountsTheTicksDueSinceTheStart) {
  TickSchedule schedule;
  schedule.Start(milliseconds(1000));
  EXPECT_EQ(schedule.TakeDue(milliseconds(1000)), 0);
  EXPECT_EQ(schedule.TakeDue(milliseconds(1000) + std::chrono::microseconds(999)), 0);
  EXPECT_EQ(schedule.TakeDue(milliseconds(1016)), 16);
  EXPECT_EQ(schedule.TakeDue(milliseconds(1016)), 0) << "handed out once";
  EXPECT_EQ(schedule.TakeDue(milliseconds(1033) + std::chrono::microseconds(500)), 17);
}

TEST(TickSchedule, DropsWhatAStallLeavesBeyondTheBound) {
  TickSchedule schedule;
  schedule.Start(milliseconds(0));
  EXPECT_EQ(schedule.TakeDue(milliseconds(5000)), TickSchedule::kMaxTicksPerWakeUp);
  EXPECT_EQ(schedule.TakeDue(milliseconds(5001)), 1) << "the dropped ticks are not owed";
}

TEST(TickSchedule, ARestartCountsFromTheRestart) {
  TickSchedule schedule;
  schedule.Start(milliseconds(0));
  EXPECT_EQ(schedule.TakeDue(milliseconds(10)), 10);
  schedule.Start(milliseconds(500));
  EXPECT_EQ(schedule.TakeDue(milliseconds(516)), 16);
}

class TickDelivery : public testing::MainWindowTest {
 protected:
  const TrialTally& tally() { return window().Tally(); }
  void WakeUpAfter(std::chrono::nanoseconds elapsed) { rig.WakeUpAfter(elapsed); }
  void ClickStartStop() { startStop()->click(); }
};

TEST_F(TickDelivery, SixteenMillisecondsRunSixteenBatches) {
  EXPECT_EQ(timer()->interval(), 1);
  WakeUpAfter(milliseconds(16));
  EXPECT_EQ(tally().Total, 16 * 4);
  EXPECT_EQ(Text("TotalText"), " based on  64 virtual people asked");
}

TEST_F(TickDelivery, AStallRunsAtMostTheBoundAndOwesNothing) {
  WakeUpAfter(std::chrono::seconds(3));
  EXPECT_EQ(tally().Total, TickSchedule::kMaxTicksPerWakeUp * 4);
  WakeUpAfter(milliseconds(1));
  EXPECT_EQ(tally().Total, (TickSchedule::kMaxTicksPerWakeUp + 1) * 4);
}

TEST_F(TickDelivery, StoppedTrialsNeverRunAndARestartCountsFromItself) {
  WakeUpAfter(milliseconds(16));
  ClickStartStop();
  WakeUpAfter(milliseconds(100));
  EXPECT_EQ(tally().Total, 64) << "nothing runs while stopped";
  ClickStartStop();
  WakeUpAfter(milliseconds(16));
  EXPECT_EQ(tally().Total, 128) << "the time spent stopped is not owed";
}

// A tick that stops the trials ends the wake-up's run at once: no batch runs
// after it, and the tally is exactly what one tick at a time gives.
TEST_F(TickDelivery, AnOverflowInsideARunEndsItWhereOneTickAtATimeWould) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  const TrialTally near_the_limit{kMax - 10, 0, 1.0};
  testing::EstimatorRig one_at_a_time({0.0f, 0.0f});
  one_at_a_time.estimator.Restore(near_the_limit);
  for (int tick = 0; tick < 16; ++tick) {
    try {
      one_at_a_time.estimator.Tick();
    } catch (const OverflowError&) {
      break;
    }
  }

  rig.Load(near_the_limit);
  WakeUpAfter(milliseconds(16));
  EXPECT_EQ(tally(), one_at_a_time.estimator.Tally());
  EXPECT_FALSE(timer()->isActive());
  EXPECT_EQ(rig.messenger->messages.size(), 1) << "a later tick would have failed again";
  EXPECT_EQ(Text("TotalText"), " based on  2147483647 virtual people asked");
}

TEST_F(TickDelivery, TheEndOfAPairFileInsideARunEndsItWhereOneTickAtATimeWould) {
  testing::TempFolder folder;
  const auto path = folder.Write("pairs.bin", testing::Records({1, 1, 4, 6, 1, 1, 9, 12, 1,  1,
                                                                1, 1, 7, 7, 1, 1, 1, 1,  25, 35}));
  testing::EstimatorRig one_at_a_time({0.0f, 0.0f});
  one_at_a_time.Choose(path);
  while (one_at_a_time.estimator.AnalyzingFile()) one_at_a_time.estimator.Tick();

  rig.openDialog->answers.push_back(QString::fromStdString(path));
  Find<QAction>(window(), "AnalyzeFile")->trigger();
  testing::WaitForTheOpen(window());
  WakeUpAfter(milliseconds(16));
  EXPECT_EQ(tally(), one_at_a_time.estimator.Tally());
  EXPECT_EQ(tally().Total, 10) << "no random batch ran after the file ended";
  EXPECT_FALSE(timer()->isActive());
  EXPECT_EQ(Text("TotalText"), " based on  10 virtual people asked");
}

// While trials run the lines are drawn at most every 40 ms, which with wake-ups
// every 16 ms is every third one: about 21 times a second. A stop draws at once.
TEST_F(TickDelivery, TheStatusLinesAreDrawnAboutTwentyTimesASecondAndAtTheStop) {
  WakeUpAfter(milliseconds(16));
  EXPECT_EQ(Text("TotalText"), " based on  64 virtual people asked");
  WakeUpAfter(milliseconds(16));
  WakeUpAfter(milliseconds(16));
  EXPECT_EQ(Text("TotalText"), " based on  64 virtual people asked") << "not yet due";
  WakeUpAfter(milliseconds(16));
  EXPECT_EQ(Text("TotalText"), " based on  256 virtual people asked");
  WakeUpAfter(milliseconds(16));
  ClickStartStop();
  EXPECT_EQ(Text("TotalText"), " based on  320 virtual people asked");
}

}  // namespace
}  // namespace orvanel
