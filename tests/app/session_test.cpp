// A logout as the desktop's session manager runs it, and a session manager that
// goes away: the built program on an X display (the test runs under xvfb-run),
// with its settings in a folder of its own.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <chrono>
#include <string>

#include "support/program.h"
#include "support/session_manager.h"

namespace orvanel {
namespace {

using testing::Program;
using testing::SessionManager;
using testing::Settings;

// Starts the program under the session manager and lets it run some trials.
void StartUnder(SessionManager& manager, Program& program) {
  program.Start();
  ASSERT_TRUE(manager.WaitForClient(testing::kBeyondAnyLoad)) << program.Errors();
  ASSERT_FALSE(program.Process().waitForFinished(1000)) << program.Errors();
}

class Logout : public ::testing::TestWithParam<bool> {};

// The save-yourself of a logout saves; the session manager hears whether the
// save held; its Die ends the program at once, without a message that nobody
// would answer, with the exit status telling how the last save went.
TEST_P(Logout, SavesTellsTheSessionManagerAndEndsWithoutWaiting) {
  const bool store_refuses = GetParam();
  SessionManager manager;
  Program program(
      store_refuses ? Settings::kUnwritable : Settings::kSeeded,
      {{"QT_QPA_PLATFORM", "xcb"}, {"SESSION_MANAGER", QString::fromStdString(manager.Address())}});
  StartUnder(manager, program);
  EXPECT_EQ(manager.SaveAtShutdown(testing::kBeyondAnyLoad), !store_refuses) << program.Errors();
  manager.Die();
  ASSERT_TRUE(program.Process().waitForFinished(testing::kBeyondAnyLoadMilliseconds))
      << "the program waits for somebody";
  EXPECT_EQ(program.Process().exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.Process().exitCode(), store_refuses ? 1 : 0);
  const std::string errors = program.Errors();
  if (store_refuses) {
    EXPECT_NE(errors.find("could not be saved in " + program.ConfigFile().toStdString() +
                          ": a part of the path is not a folder."),
              std::string::npos)
        << errors;
  } else {
    EXPECT_GT(program.Saved("Total"), 100000) << errors;
  }
}

INSTANTIATE_TEST_SUITE_P(Stores, Logout, ::testing::Bool(), [](const auto& info) {
  return std::string(info.param ? "WithAFailingSave" : "WithAGoodSave");
});

// The session manager crashed or was ended: the program saves the tally and
// goes on with its trials, until it is ended in its own way.
TEST(SessionManagerGone, TheTallyIsSavedAndTheTrialsGoOn) {
  auto manager = std::make_unique<SessionManager>();
  Program program(Settings::kSeeded,
                  {{"QT_QPA_PLATFORM", "xcb"},
                   {"SESSION_MANAGER", QString::fromStdString(manager->Address())}});
  StartUnder(*manager, program);
  manager.reset();
  QElapsedTimer waited;
  waited.start();
  while (program.Saved("Total") <= 100000 &&
         waited.elapsed() < testing::kBeyondAnyLoadMilliseconds &&
         !program.Process().waitForFinished(20)) {
  }
  ASSERT_EQ(program.Process().state(), QProcess::Running) << "ended with the session manager";
  const double saved_as_it_went = program.Saved("Total");
  EXPECT_GT(saved_as_it_went, 100000);
  ASSERT_FALSE(program.Process().waitForFinished(1500)) << "ended with the session manager";
  program.SignalAndWait(SIGTERM);
  EXPECT_EQ(program.Process().exitCode(), 0) << program.Errors();
  EXPECT_GT(program.Saved("Total"), saved_as_it_went) << "the trials went on";
}

}  // namespace
}  // namespace orvanel
