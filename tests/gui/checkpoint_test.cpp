// The tally saved between the ways out: at most a minute after the last save
// while it changes, soon after a natural point, never while it stands still;
// in the background, so that nothing waits for it.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>

#include <chrono>
#include <limits>
#include <memory>
#include <string>

#include "support/main_window_test.h"
#include "support/temp_files.h"

namespace orvanel {
namespace {

using std::chrono::seconds;
using testing::Action;
using testing::Find;
using testing::WindowRig;

constexpr TrialTally kLoaded{100, 39, 3.1};

// The checkpoint timer fires, as it would once its time has come.
void CheckpointTimerFires(WindowRig& rig) {
  auto* timer = Find<QTimer>(*rig.window, "CheckpointTimer");
  if (!timer->isActive()) return;
  timer->start(0);
  QCoreApplication::processEvents();
}

void Stop(WindowRig& rig) {
  Find<QPushButton>(*rig.window, "StartStopCommand")->click();
  QCoreApplication::processEvents();  // a natural point saves once the click is handled
}

void RunFor(WindowRig& rig, seconds time) {
  for (seconds ran{0}; ran < time; ran += seconds(1)) rig.WakeUpAfter(seconds(1));
}

struct CheckpointCase {
  const char* name;
  void (*happen)(WindowRig& rig);
  int checkpoints;  // begun by the end
  bool refused = false;
};

std::ostream& operator<<(std::ostream& out, const CheckpointCase& c) {
  return out << c.name;
}

const CheckpointCase kCases[] = {
    {"RandomPairsForLessThanAMinute", [](WindowRig& rig) { RunFor(rig, seconds(59)); }, 0},
    {"RandomPairsForThreeMinutes", [](WindowRig& rig) { RunFor(rig, seconds(180)); }, 3},
    {"StoppedTheTallyStandsStill",
     [](WindowRig& rig) {
       rig.Tick();
       Stop(rig);
       rig.clock->Advance(std::chrono::minutes(10));
       CheckpointTimerFires(rig);
     },
     1},
    {"StoppedWithNothingNew",
     [](WindowRig& rig) {
       Stop(rig);
       RunFor(rig, seconds(120));
     },
     0},
    {"ResetWhileStopped",
     [](WindowRig& rig) {
       rig.Tick();
       Stop(rig);
       Find<QPushButton>(*rig.window, "ClearCommand")->click();
       CheckpointTimerFires(rig);
     },
     2},
    {"AFileChosenAndEnded",
     [](WindowRig& rig) {
       const testing::TempFolder folder;
       rig.openDialog->answers.push_back(
           QString::fromStdString(folder.Write("pairs.bin", testing::Records({1, 1, 4, 6, 1, 1}))));
       Action(*rig.window, "AnalyzeFile")->trigger();
       testing::WaitForTheOpen(*rig.window);
       QCoreApplication::processEvents();
       rig.Tick();
       QCoreApplication::processEvents();
     },
     2},
    {"TheLimit",
     [](WindowRig& rig) {
       rig.Load(TrialTally{std::numeric_limits<std::int32_t>::max() - 6, 0, 3.1});
       rig.Tick();
       rig.Tick();
       QCoreApplication::processEvents();
     },
     1},
    {"FullSpeedForTwoMinutes",
     [](WindowRig& rig) {
       Action(*rig.window, "FullSpeedMenu")->trigger();
       for (int slice = 0; slice < 2; ++slice) {
         rig.clock->Advance(seconds(61));
         testing::TickTimerPeer::RunSlice(*Find<TickTimer>(*rig.window, "Timer1"), 1000);
       }
     },
     2},
    {"RefusedTwice", [](WindowRig& rig) { RunFor(rig, seconds(120)); }, 2, true},
};

class Checkpoints : public ::testing::TestWithParam<CheckpointCase> {};

TEST_P(Checkpoints, SaveTheTallyAsItChangesAndNeverWait) {
  const CheckpointCase& c = GetParam();
  WindowRig rig;
  rig.Load(kLoaded);
  rig.store->refuse = c.refused;
  ::testing::internal::CaptureStderr();
  c.happen(rig);
  const std::string told = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(rig.store->checkpoints, c.checkpoints);
  EXPECT_EQ(rig.store->commits, 0) << "no checkpoint waits for the system";
  if (c.checkpoints > 0 && !c.refused) {
    EXPECT_EQ(rig.store->values["Total"], NumberText(rig.window->Tally().Total))
        << "the last checkpoint holds the tally as it stands";
  }
  EXPECT_EQ(told.find("could not be saved") == std::string::npos, !c.refused) << told;
  if (c.refused) {
    EXPECT_EQ(told.find("could not be saved"), told.rfind("could not be saved"))
        << "a failing checkpoint is told once: " << told;
  }
  if (!Find<TickTimer>(*rig.window, "Timer1")->isActive() && !c.refused) {
    EXPECT_FALSE(Find<QTimer>(*rig.window, "CheckpointTimer")->isActive())
        << "nothing wakes up while the tally stands still";
  }
}

INSTANTIATE_TEST_SUITE_P(Table, Checkpoints, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A checkpoint that the file system holds up holds up nothing else: the trials
// go on, no second one begins meanwhile, and one follows once it is done.
TEST(ACheckpointUnderWay, HoldsUpNothing) {
  WindowRig rig;
  rig.Load(kLoaded);
  rig.store->holdCheckpoints = true;
  RunFor(rig, seconds(61));
  ASSERT_EQ(rig.store->checkpoints, 1);
  const std::int32_t total = rig.window->Tally().Total;
  RunFor(rig, seconds(120));
  Stop(rig);
  EXPECT_GT(rig.window->Tally().Total, total) << "the trials went on";
  EXPECT_EQ(rig.store->checkpoints, 1) << "one write in flight at a time";
  rig.store->held->Finish(std::nullopt);
  rig.store->holdCheckpoints = false;
  EXPECT_TRUE(testing::Within([&rig] { return rig.store->checkpoints == 2; }))
      << "the natural point that came meanwhile follows";
  EXPECT_EQ(rig.store->values["Total"], NumberText(rig.window->Tally().Total));
}

}  // namespace
}  // namespace orvanel
