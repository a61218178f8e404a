// Full Speed runs the same ticks as the timer's millisecond, back to back: the
// same tally, the same lines and the same bar, and every way out saves it.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <chrono>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "support/main_window_test.h"
#include "support/peers.h"
#include "support/temp_files.h"

namespace orvanel {
namespace {

using std::chrono::milliseconds;
using testing::Action;
using testing::Find;
using testing::OpenPatiently;
using testing::WindowRig;

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

// What a window shows once its trials are stopped and everything noted is drawn.
struct Shown {
  TrialTally tally;
  std::uint64_t drawsTaken = 0;  // the generator's place: the next run goes on from there
  QStringList lines;
  std::vector<int> bar;  // every value the bar took
  bool analyzing = false;
  qsizetype messages = 0;
  friend bool operator==(const Shown&, const Shown&) = default;
};

// Drives one window: `Ticks(n)` runs n ticks either one a millisecond or at full
// speed; the rest of a scenario is the same for both.
class Driven {
 public:
  // The draws come from the counter-based generator of a fixed key, and Full
  // Speed runs its random ticks at once on `threads` threads.
  Driven(bool full_speed, unsigned threads)
      : Driven(full_speed, threads,
               std::make_unique<ClockSeededGenerator>(
                   ClockSeededGenerator::Key{0x13198a2e, 0x03707344})) {}
  Driven(bool full_speed, unsigned threads, std::unique_ptr<ClockSeededGenerator> generator)
      : generator_(generator.get()),
        rig(OpenPatiently, std::move(generator), threads),
        fullSpeed_(full_speed) {
    QObject::connect(Find<QProgressBar>(*rig.window, "ProgressBar1"), &QProgressBar::valueChanged,
                     [this](int value) { bar_.push_back(value); });
    if (full_speed) Action(*rig.window, "FullSpeedMenu")->trigger();
  }
  void Ticks(int count) {
    if (fullSpeed_) {
      testing::TickTimerPeer::RunSlice(*Find<TickTimer>(*rig.window, "Timer1"), count);
    } else {
      for (int tick = 0; tick < count; ++tick) rig.Tick();
    }
  }
  // At full speed the random trials run on in real time while a file opens;
  // a file begins a new tally, and its analysis takes no draw.
  void ForgetDrawsBeforeFile() { drawsBeforeFile_ = generator_->Position(); }
  void ClickStartStop() { Find<QPushButton>(*rig.window, "StartStopCommand")->click(); }
  Shown Stopped() {
    if (Find<TickTimer>(*rig.window, "Timer1")->isActive()) ClickStartStop();
    Shown shown{
        rig.window->Tally(),           generator_->Position() - drawsBeforeFile_, {}, bar_, false,
        rig.messenger->messages.size()};
    for (const char* name : {"EstimateText", "TotalText", "HitsText"}) {
      shown.lines << Find<QLabel>(*rig.window, name)->text();
    }
    shown.analyzing = Action(*rig.window, "AnalyzeFile")->isChecked();
    return shown;
  }

 private:
  ClockSeededGenerator* generator_;  // the rig's; declared first, as it is taken first

 public:
  WindowRig rig;

 private:
  bool fullSpeed_;
  std::uint64_t drawsBeforeFile_ = 0;
  std::vector<int> bar_;
};

struct Scenario {
  const char* name;
  std::function<void(Driven&)> play;
};

std::ostream& operator<<(std::ostream& out, const Scenario& scenario) {
  return out << scenario.name;
}

void ChooseFile(Driven& driven, const std::vector<std::int32_t>& numbers) {
  static testing::TempFolder folder;
  driven.rig.openDialog->answers.push_back(
      QString::fromStdString(folder.Write("pairs.bin", testing::Records(numbers))));
  Action(*driven.rig.window, "AnalyzeFile")->trigger();
  testing::WaitForTheOpen(*driven.rig.window);
  driven.ForgetDrawsBeforeFile();
}

const Scenario kScenarios[] = {
    {"RandomPairs", [](Driven& driven) { driven.Ticks(3000); }},
    {"AFileThatEndsInsideATick",
     [](Driven& driven) {
       std::vector<std::int32_t> numbers;
       for (std::int32_t i = 0; i < 2 * 1003; ++i) numbers.push_back(i * 7919 % 1000 + 1);
       ChooseFile(driven, numbers);
       driven.Ticks(400);
     }},
    {"ACarriedTally",  // at once in parts as large as the tally allows
     [](Driven& driven) {
       driven.rig.Load(TrialTally{1'000'000'000, 392'073'526, 3.14159});
       driven.Ticks(3000);
       driven.ClickStartStop();
       driven.ClickStartStop();
       driven.Ticks(1001);
     }},
    {"MoreHitsThanTrials",  // a hand-edited tally: the first trial meets the error
     [](Driven& driven) {
       driven.rig.Load(TrialTally{1'000'000, 2'000'000, 3.0});
       driven.Ticks(400);
     }},
    {"TheLimitOfTheCount",
     [](Driven& driven) {
       driven.rig.Load(TrialTally{kMax - 4 * 300 - 2, 0, 3.0});
       driven.Ticks(400);  // the limit falls in the middle of a tick, and is told once
     }},
    {"StopBetweenTicks",
     [](Driven& driven) {
       driven.Ticks(700);
       driven.ClickStartStop();
       driven.ClickStartStop();
       driven.Ticks(900);
     }},
};

// On any number of threads: random ticks run at once, a file one tick at a time.
class FullSpeedEquivalence : public ::testing::TestWithParam<std::tuple<Scenario, unsigned>> {};

TEST_P(FullSpeedEquivalence, LeavesWhatOneTickAMillisecondLeaves) {
  const auto& [scenario, threads] = GetParam();
  Driven one_at_a_time(false, threads);
  Driven full_speed(true, threads);
  scenario.play(one_at_a_time);
  scenario.play(full_speed);
  const Shown expected = one_at_a_time.Stopped();
  const Shown shown = full_speed.Stopped();
  EXPECT_EQ(shown.tally, expected.tally);
  EXPECT_EQ(shown.drawsTaken, expected.drawsTaken);
  EXPECT_EQ(shown.lines, expected.lines);
  EXPECT_EQ(shown.bar, expected.bar);
  EXPECT_EQ(shown.analyzing, expected.analyzing);
  EXPECT_EQ(shown.messages, expected.messages);
  EXPECT_GT(shown.tally.Total, 0);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, FullSpeedEquivalence,
                         ::testing::Combine(::testing::ValuesIn(kScenarios),
                                            ::testing::Values(1u, 2u, 3u, 7u)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) + "On" +
                                  std::to_string(std::get<1>(info.param)) + "Threads";
                         });

TEST(FullSpeed, IsOffAtTheStartAndGoesBackToOneTickAMillisecondFromThatMoment) {
  WindowRig rig;
  QAction* entry = Action(*rig.window, "FullSpeedMenu");
  auto* timer = Find<TickTimer>(*rig.window, "Timer1");
  EXPECT_FALSE(entry->isChecked());
  EXPECT_FALSE(timer->FullSpeed());
  entry->trigger();
  EXPECT_TRUE(entry->isChecked());
  EXPECT_TRUE(timer->FullSpeed());
  rig.clock->Advance(milliseconds(500));
  testing::TickTimerPeer::RunSlice(*timer, 10);
  EXPECT_EQ(rig.window->Tally().Total, 40) << "a slice runs the ticks it is given";
  entry->trigger();
  EXPECT_FALSE(entry->isChecked());
  EXPECT_FALSE(timer->FullSpeed());
  rig.WakeUpAfter(milliseconds(5));
  EXPECT_EQ(rig.window->Tally().Total, 60) << "five ticks: none owed for the time before";
}

// Each way out at full speed saves the tally of the ticks that ran, exactly.
TEST(FullSpeed, EveryWayOutSavesTheExactTally) {
  const std::vector<std::pair<const char*, std::function<void(WindowRig&)>>> ways = {
      {"Exit", [](WindowRig& rig) { Action(*rig.window, "ExitMenu")->trigger(); }},
      {"CloseCommand", [](WindowRig& rig) { rig.window->close(); }},
      {"SignalDieOrQuit", [](WindowRig& rig) { rig.window->LeaveUnattended(); }},
      {"SessionEnd", [](WindowRig& rig) { (void)rig.window->SaveForSessionEnd(); }}};
  for (const auto& [name, take] : ways) {
    // Ticks at once on three threads.
    WindowRig rig(OpenPatiently,
                  std::make_unique<ClockSeededGenerator>(ClockSeededGenerator::Key{1, 2}), 3);
    rig.Load(TrialTally{1000, 392, 3.1});
    Action(*rig.window, "FullSpeedMenu")->trigger();
    testing::TickTimerPeer::RunSlice(*Find<TickTimer>(*rig.window, "Timer1"), 25'000);
    take(rig);
    EXPECT_EQ(rig.store->values["Total"], " 101000") << name;
    EXPECT_EQ(rig.store->values["Hits"], NumberText(rig.window->Tally().Hits)) << name;
  }
}

}  // namespace
}  // namespace orvanel
