// Every way out of the program with the tally saved, and what a saved tally that
// cannot be used does at the start.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>

#include <memory>
#include <mutex>
#include <string>
#include <tuple>

#include "support/held_file.h"
#include "support/main_window_test.h"

namespace orvanel {
namespace {

using testing::Action;
using testing::Find;
using testing::MainWindowTest;
using testing::WindowRig;

// Every way out, with a store that keeps the tally and with one that refuses it.
// Each saves the latest tally exactly once, whatever follows it (the quit that
// ends the event loop after the last window closed, a second close), unless the
// save failed: then the next way out tries again. Only a person who closed the
// window is shown a message; the exit status tells whether the last save held.
// A signal, the session manager's Die and any quit all reach the window as the
// application's quit, which leaves unattended.
struct WayOutCase {
  const char* name;
  void (*take)(WindowRig& rig);
  bool personPresent;
  int attemptsWhenRefused = 1;  // a save that failed is tried again by the next way out
};

void TheQuitThatFollows(WindowRig& rig) {
  rig.window->LeaveUnattended();
  rig.window->close();
}

const WayOutCase kWaysOut[] = {
    {"Exit",
     [](WindowRig& rig) {
       Action(*rig.window, "ExitMenu")->trigger();
       TheQuitThatFollows(rig);
     },
     true},
    {"CloseCommand",
     [](WindowRig& rig) {
       rig.window->close();
       TheQuitThatFollows(rig);
     },
     true},
    {"SignalDieOrQuit",
     [](WindowRig& rig) {
       rig.window->LeaveUnattended();
       TheQuitThatFollows(rig);
     },
     false},
    // The save of the session's request, then its end, with nothing new to save.
    {"SessionEndThenDie",
     [](WindowRig& rig) {
       (void)rig.window->SaveForSessionEnd();
       TheQuitThatFollows(rig);
     },
     false, 2},
};

class EveryWayOut : public MainWindowTest,
                    public ::testing::WithParamInterface<std::tuple<WayOutCase, bool>> {};

TEST_P(EveryWayOut, SavesTheLatestTallyOnceAndNeverWaitsForANobody) {
  const auto& [way, store_refuses] = GetParam();
  rig.store->refuse = store_refuses;
  rig.messenger->choices = {Messenger::SaveChoice::kQuitWithoutSaving};
  window().show();
  rig.Load(TrialTally{100, 39, 3.1});
  rig.Tick();
  way.take(rig);
  EXPECT_EQ(rig.store->commits, store_refuses ? way.attemptsWhenRefused : 1);
  EXPECT_EQ(rig.store->lastPatience,
            way.personPresent ? kSavePatienceWithAPerson : kSavePatienceUnattended)
      << "nobody may be there: the save waits less";
  EXPECT_EQ(rig.store->values["Total"], " 104");
  EXPECT_EQ(rig.store->values["Hits"], " 39");
  EXPECT_FALSE(window().isVisible());
  EXPECT_FALSE(timer()->isActive()) << "nothing is counted after the save";
  const int asked = store_refuses && way.personPresent ? 1 : 0;
  EXPECT_EQ(rig.messenger->asked.size(), asked) << "only a person is asked what to do";
  EXPECT_TRUE(rig.messenger->messages.isEmpty());
  EXPECT_EQ(window().ExitStatus(), store_refuses ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Table, EveryWayOut,
                         ::testing::Combine(::testing::ValuesIn(kWaysOut), ::testing::Bool()),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  (std::get<1>(info.param) ? "WithAFailingSave" : "");
                         });

// A pair file on a file system that stopped answering holds up no way out: each
// saves the tally as it stands, at once, and the reader is left behind.
TEST(WaysOutWhileAReadHangs, SaveTheTallyAtOnce) {
  for (const WayOutCase& way : kWaysOut) {
    auto system = std::make_shared<testing::HeldFileSystem>();
    system->bytes.assign(20 * 8, 1);
    WindowRig rig(
        testing::HeldOpener(system, {testing::kBeyondAnyLoad, ReadAheadPatience{}.bytes}));
    Main& window = *rig.window;
    window.show();
    rig.openDialog->answers.push_back(QString("held.bin"));
    Find<QAction>(window, "AnalyzeFile")->trigger();
    testing::WaitForTheOpen(window);
    rig.Tick();
    ASSERT_EQ(window.Tally().Total, 4) << way.name;
    {
      const std::lock_guard lock(system->mutex);
      system->holdReads = true;
      system->bytes.resize(40 * 8, 1);  // grows: the next tick reads again, and hangs
    }
    rig.Tick();
    EXPECT_EQ(window.Tally().Total, 4) << way.name;
    way.take(rig);
    EXPECT_EQ(rig.store->values["Total"], " 4") << way.name;
    system->Release();
  }
}

// A file being opened on a file system that does not answer holds up nothing:
// the window shows that the file is being opened and goes on with its trials,
// and each way out saves the tally at once.
TEST(WaysOutWhileAnOpenHangs, SaveTheTallyAtOnce) {
  for (const WayOutCase& way : kWaysOut) {
    auto system = std::make_shared<testing::HeldFileSystem>();
    system->holdOpens = true;
    WindowRig rig(testing::HeldOpener(system, testing::kPatientReading));
    Main& window = *rig.window;
    window.show();
    rig.openDialog->answers.push_back(QString("held.bin"));
    Find<QAction>(window, "AnalyzeFile")->trigger();
    EXPECT_TRUE(window.FileBeingOpened()) << way.name;
    EXPECT_EQ(window.cursor().shape(), Qt::BusyCursor) << way.name;
    rig.Tick();
    EXPECT_EQ(window.Tally().Total, 4) << way.name << ": the trials go on";
    way.take(rig);
    EXPECT_EQ(rig.store->values["Total"], " 4") << way.name;
    EXPECT_FALSE(window.isVisible()) << way.name;
    system->Release();
  }
}

TEST(SessionEnd, ACancelledOneLosesNothingAndStopsNothing) {
  for (const bool store_refuses : {false, true}) {
    WindowRig rig;
    Main& window = *rig.window;
    rig.store->refuse = store_refuses;
    window.show();
    rig.Tick();
    // What the desktop's request calls; the answer is what the session manager
    // hears. Then the logout is cancelled.
    EXPECT_EQ(rig.window->SaveForSessionEnd(), !store_refuses);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(Find<TickTimer>(window, "Timer1")->isActive());
    EXPECT_EQ(Find<QPushButton>(window, "StartStopCommand")->text(), "Stop");
    EXPECT_FALSE(Find<QPushButton>(window, "ClearCommand")->isEnabled());
    EXPECT_TRUE(rig.messenger->messages.isEmpty()) << "nobody may be there to answer";
    EXPECT_EQ(window.ExitStatus(), store_refuses ? 1 : 0);

    rig.store->refuse = false;  // the cause goes away before the user leaves
    rig.Tick();
    EXPECT_EQ(window.Tally().Total, 8) << "the trials went on";
    Find<QAction>(window, "ExitMenu")->trigger();
    rig.window->LeaveUnattended();
    EXPECT_EQ(rig.store->values["Total"], " 8") << "the last save holds the latest tally";
    EXPECT_EQ(window.ExitStatus(), 0);
  }
}

TEST_F(MainWindowTest, ANothingNewSaveIsSkipped) {
  (void)rig.window->SaveForSessionEnd();
  (void)rig.window->SaveForSessionEnd();
  EXPECT_EQ(rig.store->commits, 1);
  rig.Tick();
  rig.window->LeaveUnattended();
  EXPECT_EQ(rig.store->commits, 2);
}

// A tally that cannot be used is started from zero; the user hears of it once,
// when the window is on screen, in the same words that go to stderr.
TEST_F(MainWindowTest, AnUnusableSavedTallyIsToldOnceAfterTheWindowIsShown) {
  rig.store->values = {{"Estimate", " 3.1"}, {"Total", "99999999999"}, {"Hits", " 5"}};
  ::testing::internal::CaptureStderr();
  window().Form_Load();
  const std::string stderr_text = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(window().Tally(), TrialTally{});
  EXPECT_TRUE(rig.messenger->messages.isEmpty()) << "not before the window is shown";
  window().show();
  QCoreApplication::processEvents();
  window().hide();
  window().show();
  QCoreApplication::processEvents();
  ASSERT_EQ(rig.messenger->messages.size(), 1);
  const QString message = rig.messenger->messages[0];
  EXPECT_EQ(message,
            "The saved Total “99999999999” in the test store cannot be used, so the "
            "tally starts again from zero.");
  EXPECT_EQ(stderr_text, "Orvanel: " + message.toStdString() + "\n");
}

TEST_F(MainWindowTest, AnUnusableEstimateAloneGoesToStderrOnly) {
  rig.store->values = {{"Estimate", "1e999"}, {"Total", " 100"}, {"Hits", " 5"}};
  ::testing::internal::CaptureStderr();
  window().Form_Load();
  const std::string stderr_text = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(window().Tally(), (TrialTally{100, 5, 0.0}));
  window().show();
  QCoreApplication::processEvents();
  EXPECT_TRUE(rig.messenger->messages.isEmpty());
  EXPECT_EQ(stderr_text,
            "Orvanel: The saved Estimate “1e999” in the test store cannot be used "
            "and starts again at 0.\n");
}

TEST_F(MainWindowTest, LoadingSeedsOnceAndStartsWithRandomPairsWithoutRedrawing) {
  rig.store->values = {{"Total", " 10"}};
  window().Form_Load();
  EXPECT_EQ(rig.generator->seeds, 1);
  EXPECT_EQ(Text("TotalText"), "people asked");
  EXPECT_TRUE(Action(window(), "VirtualPeopleMenu")->isChecked());
  rig.Tick();
  EXPECT_EQ(window().Tally().Total, 14) << "four random pairs";
}

TEST_F(MainWindowTest, ExitSavesTheTallyOnceWhateverFollows) {
  rig.Load(TrialTally{42, 12, 3.0});
  Action(window(), "ExitMenu")->trigger();
  EXPECT_FALSE(window().isVisible());
  EXPECT_FALSE(timer()->isActive());
  window().close();
  rig.window->LeaveUnattended();
  (void)rig.window->SaveForSessionEnd();
  EXPECT_EQ(rig.store->commits, 1);
  EXPECT_EQ(rig.store->values["Total"], " 42");
  EXPECT_EQ(rig.store->values["Hits"], " 12");
  EXPECT_EQ(rig.store->values["Estimate"], " 3");
}

// A save that fails as a person closes the window: they choose. Try again (and
// it works), leave without it, or stay with the trials going on as before.
TEST(AFailedSaveWithAPersonThere, OffersAChoice) {
  using Choice = Messenger::SaveChoice;
  const struct {
    const char* name;
    Choice choice;
    bool windowGoes;
    int commits;
    int exitStatus;
  } cases[] = {{"RetryThatWorks", Choice::kRetry, true, 2, 0},
               {"QuitWithoutSaving", Choice::kQuitWithoutSaving, true, 1, 1},
               {"Cancel", Choice::kCancel, false, 1, 1}};
  for (const auto& c : cases) {
    WindowRig rig;
    Main& window = *rig.window;
    window.show();
    rig.Tick();
    rig.store->refuse = true;
    rig.messenger->choices = {c.choice};
    // The person mends the folder before choosing Retry.
    if (c.choice == Choice::kRetry) rig.store->refuseOnce = true;
    window.close();
    EXPECT_EQ(rig.messenger->asked.size(), 1) << c.name;
    EXPECT_TRUE(rig.messenger->asked.value(0).contains("could not be saved")) << c.name;
    EXPECT_EQ(rig.store->commits, c.commits) << c.name;
    EXPECT_EQ(window.isVisible(), !c.windowGoes) << c.name;
    EXPECT_EQ(Find<TickTimer>(window, "Timer1")->isActive(), !c.windowGoes)
        << c.name << ": the trials go on when the person stays";
    EXPECT_EQ(window.ExitStatus(), c.exitStatus) << c.name;
  }
}

// A signal (or any quit) while the failed-save question is up: the question
// ends unanswered, the window does not unload a second time inside the first,
// and the save is tried once more, unattended; that try alone decides the exit
// status, and the window goes.
TEST(AQuitDuringTheQuestion, TriesTheSaveOnceMoreUnattended) {
  for (const bool mended : {true, false}) {
    WindowRig rig;
    Main& window = *rig.window;
    window.show();
    rig.Tick();
    rig.store->refuse = true;
    rig.store->refuseOnce = mended;  // the disk was freed meanwhile
    rig.messenger->whileAsking = [&window] { window.LeaveUnattended(); };
    window.close();
    EXPECT_EQ(rig.messenger->asked.size(), 1) << mended;
    EXPECT_EQ(rig.store->commits, 2) << mended;
    EXPECT_EQ(rig.store->lastPatience, kSavePatienceUnattended) << mended;
    EXPECT_FALSE(window.isVisible()) << mended;
    EXPECT_FALSE(Find<TickTimer>(window, "Timer1")->isActive()) << mended;
    EXPECT_EQ(window.ExitStatus(), mended ? 0 : 1) << mended;
  }
}

}  // namespace
}  // namespace orvanel
