// The built program as a whole, started as a child process with its settings in
// a folder of its own.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <string>
#include <tuple>

#include "support/beyond_any_load.h"
#include "support/program.h"

#ifdef Q_OS_LINUX
#include <sys/inotify.h>
#include <unistd.h>
#endif

namespace orvanel {
namespace {

using testing::Program;
using testing::Settings;

#ifdef Q_OS_UNIX
// Runs the program for a while, then sends the signal.
void RunThenSignal(Program& program, int signal) {
  program.Start();
  ASSERT_TRUE(program.WaitUntilRunning()) << program.Errors();
  // Let it run some trials.
  ASSERT_FALSE(program.Process().waitForFinished(1500)) << program.Errors();
  program.SignalAndWait(signal);
}

class Signals : public ::testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(Signals, EndTheProgramWithTheTallySavedOrTheFailureReported) {
  const auto [signal, store_refuses] = GetParam();
  Program program(store_refuses ? Settings::kUnwritable : Settings::kNone);
  RunThenSignal(program, signal);
  const std::string errors = program.Errors();
  if (store_refuses) {
    EXPECT_NE(program.Process().exitCode(), 0);
    EXPECT_NE(
        errors.find("Orvanel: The tally could not be saved in " +
                    program.ConfigFile().toStdString() + ": a part of the path is not a folder."),
        std::string::npos)
        << errors;
    return;
  }
  EXPECT_EQ(program.Process().exitCode(), 0) << errors;
  const double total = program.Saved("Total");
  EXPECT_GT(total, 0);
  EXPECT_LE(program.Saved("Hits"), total);
  EXPECT_GT(program.Saved("Estimate"), 2.4);
}

INSTANTIATE_TEST_SUITE_P(Table, Signals,
                         ::testing::Combine(::testing::Values(SIGTERM, SIGINT, SIGHUP),
                                            ::testing::Bool()),
                         [](const auto& info) {
                           const int signal = std::get<0>(info.param);
                           const std::string name = signal == SIGTERM  ? "Term"
                                                    : signal == SIGINT ? "Int"
                                                                       : "Hangup";
                           return name + (std::get<1>(info.param) ? "WithAFailingSave" : "");
                         });

// The user is told of the damaged file in a message that waits for a click;
// a signal still ends the program at once, and the save counts as done.
TEST(DamagedSettings, StartFromZeroAndAreReplacedByTheSavedTally) {
  Program program(Settings::kDamaged);
  RunThenSignal(program, SIGTERM);
  const std::string errors = program.Errors();
  EXPECT_EQ(program.Process().exitCode(), 0) << errors;
  EXPECT_NE(errors.find("the file is damaged"), std::string::npos) << errors;
  EXPECT_GT(program.Saved("Total"), 0);
  EXPECT_LT(program.Saved("Total"), 10'000'000) << "counted from zero in this run";
}

// A FIFO in the settings file's place can neither be read nor be replaced: the
// program starts all the same, says so, and every save fails with the reason.
TEST(FifoAsSettings, IsToldAndNeverReplaced) {
  Program program(Settings::kFifo);
  RunThenSignal(program, SIGTERM);
  const std::string errors = program.Errors();
  EXPECT_EQ(program.Process().exitCode(), 1);
  EXPECT_NE(errors.find("could not be read from " + program.ConfigFile().toStdString() +
                        ": it is not a regular file."),
            std::string::npos)
      << errors;
  EXPECT_NE(errors.find("could not be saved in " + program.ConfigFile().toStdString() +
                        ": it is not a regular file."),
            std::string::npos)
      << errors;
  EXPECT_TRUE(QFileInfo(program.ConfigFile()).isFile() == false);
}

#ifdef Q_OS_LINUX
// True once the process catches SIGTERM: it runs its own code, past the
// system's loading of its libraries.
bool CatchesSigterm(qint64 pid) {
  QFile status(QString("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return false;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("SigCgt:")) {
      return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
    }
  }
  return false;
}

// The signals are caught before anything that can wait at start: a signal while
// the settings file is being read ends the program at once, and cleanly.
TEST(EarlySignals, AreCaughtBeforeTheSettingsFileIsRead) {
  Program program(Settings::kSeeded);
  const int watcher = ::inotify_init();
  ::inotify_add_watch(
      watcher, QFile::encodeName(QFileInfo(program.ConfigFile()).path()).constData(), IN_OPEN);
  program.Start();
  alignas(inotify_event) char event[sizeof(inotify_event) + 256];
  ASSERT_GT(::read(watcher, event, sizeof event), 0);  // the program opens the file
  ::close(watcher);
  EXPECT_TRUE(CatchesSigterm(program.Process().processId()));
  program.SignalAndWait(SIGTERM);
  EXPECT_EQ(program.Process().exitCode(), 0) << program.Errors();
  EXPECT_EQ(program.Saved("Total"), 100000);
}

// However soon a signal comes once the program runs, it ends the program by
// itself, never by the signal's default action, and the saved tally is never
// lost: before the trials begin there is nothing to save.
TEST(EarlySignals, EndTheProgramCleanlyWithTheTallyKept) {
  for (const int delay : {0, 20, 60, 150}) {
    Program program(Settings::kSeeded);
    program.Start();
    QElapsedTimer waited;
    waited.start();
    while (!CatchesSigterm(program.Process().processId()) && waited.elapsed() < 10000) {
      QThread::usleep(200);
    }
    QThread::msleep(delay);
    program.SignalAndWait(SIGTERM);
    EXPECT_EQ(program.Process().exitCode(), 0) << "after " << delay << " ms: " << program.Errors();
    EXPECT_GE(program.Saved("Total"), 100000) << "after " << delay << " ms";
  }
}

// The signal handler never blocks, however many signals come: a burst ends in
// one save, status 0.
TEST(SignalBurst, EndsInOneSave) {
  Program program(Settings::kSeeded);
  const int watcher = ::inotify_init1(IN_NONBLOCK);
  ASSERT_GE(watcher, 0);
  ::inotify_add_watch(
      watcher, QFile::encodeName(QFileInfo(program.ConfigFile()).path()).constData(), IN_MOVED_TO);
  program.Start();
  ASSERT_FALSE(program.Process().waitForFinished(1500)) << program.Errors();
  const pid_t pid = static_cast<pid_t>(program.Process().processId());
  for (int i = 0; i < 10'000 && ::kill(pid, SIGTERM) == 0; ++i) {
  }
  ASSERT_TRUE(program.Process().waitForFinished(testing::kBeyondAnyLoadMilliseconds))
      << "the program hangs";
  EXPECT_EQ(program.Process().exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.Process().exitCode(), 0) << program.Errors();
  EXPECT_GT(program.Saved("Total"), 100000);
  alignas(inotify_event) char events[4096];
  const auto length = ::read(watcher, events, sizeof events);
  ::close(watcher);
  int saves = 0;
  for (ssize_t at = 0; at < length;) {
    const auto* event = reinterpret_cast<const inotify_event*>(events + at);
    saves += std::string(event->name) == "Orvanel.conf";
    at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
  }
  EXPECT_EQ(saves, 1) << "each save renames a new file into place";
}
#endif
#endif

#ifdef Q_OS_WIN
// The program's top-level window, once it has one.
HWND MainWindowOf(qint64 process_id) {
  struct Search {
    DWORD process;
    HWND found;
  } search{static_cast<DWORD>(process_id), nullptr};
  ::EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* wanted = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        wchar_t title[64] = {};
        ::GetWindowTextW(window, title, 64);
        if (owner == wanted->process && ::IsWindowVisible(window) &&
            std::wstring(title) == L"Orvanel") {
          wanted->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Starts the program and gives its window, once it has run some trials.
HWND RunUntilItsWindowShows(Program& program) {
  program.Start();
  QElapsedTimer waited;
  waited.start();
  HWND window = nullptr;
  while (window == nullptr && waited.elapsed() < testing::kBeyondAnyLoadMilliseconds) {
    program.Process().waitForFinished(100);
    window = MainWindowOf(program.Process().processId());
  }
  program.Process().waitForFinished(1500);
  return window;
}
#endif

// Waits, as long as no load reaches, until `done` holds or the program ends.
template <typename Condition>
bool UntilWhileRunning(Program& program, Condition done) {
  QElapsedTimer waited;
  waited.start();
  while (!done()) {
    if (waited.elapsed() > std::chrono::milliseconds(testing::kBeyondAnyLoad).count()) {
      return false;
    }
    if (program.Process().waitForFinished(20)) return done();
  }
  return true;
}

constexpr double kLimit = 2147483647;

// A run that ends by no way out at all (a crash, kill -9, a power cut) keeps
// the tally of its last checkpoint: here the one of the limit, which the
// program reaches within moments, and saves at once.
TEST(Checkpoints, KeepTheTallyOfARunThatIsKilled) {
#ifdef Q_OS_WIN
  if (!testing::UnderWine()) GTEST_SKIP() << "would use this user's own settings";
#endif
  Program program(Settings::kNearTheLimit);
  program.Start();
  ASSERT_TRUE(UntilWhileRunning(program, [&program] { return program.Saved("Total") == kLimit; }))
      << program.Errors();
  ASSERT_EQ(program.Process().state(), QProcess::Running) << "saved by a checkpoint, not a way out";
  program.Process().kill();
  ASSERT_TRUE(program.Process().waitForFinished(testing::kBeyondAnyLoadMilliseconds));
  EXPECT_EQ(program.Saved("Total"), kLimit);
  EXPECT_GT(program.Saved("Hits"), 39200);
}

// An option is answered on the terminal and the program ends: no display
// needed, no window, no settings touched.
TEST(Options, AreAnsweredOnTheTerminalWithoutADisplay) {
  struct Case {
    const char* option;
    int status;
    const char* said;
  };
  for (const Case& c :
       {Case{"--help", 0, "Usage: orvanel [option]"}, Case{"--version", 0, "Orvanel 1."},
        Case{"--bogus", 2, "Orvanel: \u201c--bogus\u201d is not an option"}}) {
#ifdef Q_OS_WIN
    Program program(Settings::kUntouched);
#else
    Program program(Settings::kNone,
                    {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}});
#endif
    program.Start({c.option});
    ASSERT_TRUE(program.Process().waitForFinished(testing::kBeyondAnyLoadMilliseconds));
    const QByteArray said = c.status == 0 ? program.Process().readAllStandardOutput()
                                          : program.Process().readAllStandardError();
    EXPECT_EQ(program.Process().exitCode(), c.status) << c.option << ": " << said.toStdString();
    EXPECT_TRUE(said.startsWith(c.said)) << c.option << ": " << said.toStdString();
#ifndef Q_OS_WIN
    EXPECT_FALSE(QFile::exists(program.ConfigFile())) << c.option;
#endif
  }
}

// One copy per user: a second start brings the running copy forward and ends,
// status 0, without a word and without touching the tally.
TEST(ASecondCopy, BringsTheFirstForwardAndTouchesNothing) {
#ifdef Q_OS_WIN
  if (!testing::UnderWine()) GTEST_SKIP() << "would use this user's own settings";
  Program first(Settings::kSeeded);
  ASSERT_NE(RunUntilItsWindowShows(first), nullptr) << first.Errors();
#else
  Program first(Settings::kSeeded);
  first.Start();
  ASSERT_TRUE(first.WaitUntilRunning()) << first.Errors();
#endif
  Program second(Settings::kUntouched, first.SameUser());
  second.Start();
  ASSERT_TRUE(second.Process().waitForFinished(testing::kBeyondAnyLoadMilliseconds));
  EXPECT_EQ(second.Process().exitCode(), 0) << second.Errors();
  EXPECT_EQ(second.Errors(), "");
  EXPECT_EQ(first.Saved("Total"), 100000) << "the tally is the first copy's to save";
  ASSERT_EQ(first.Process().state(), QProcess::Running);
#ifdef Q_OS_UNIX
  // The first copy stops answering: the second says so, and still touches nothing.
  ::kill(static_cast<pid_t>(first.Process().processId()), SIGSTOP);
  Program third(Settings::kUntouched, first.SameUser());
  third.Start();
  std::string told;
  EXPECT_TRUE(UntilWhileRunning(third, [&third, &told] {
    told += third.Errors();
    return told.find("it does not answer") != std::string::npos;
  })) << told;
  ::kill(static_cast<pid_t>(first.Process().processId()), SIGCONT);
  EXPECT_EQ(first.Saved("Total"), 100000);
  // Its message waits for a click, which a test gives as a signal.
  if (third.Process().state() == QProcess::Running) third.SignalAndWait(SIGTERM);
  first.SignalAndWait(SIGTERM);
  EXPECT_EQ(first.Process().exitCode(), 0) << first.Errors();
  EXPECT_GT(first.Saved("Total"), 100000);
#endif
}

#ifdef Q_OS_LINUX
// The display lost (an X server gone, a dropped ssh -X): the toolkit ends the
// process, and the tally is saved first; the exit status says so.
TEST(TheDisplayLost, EndsTheProgramWithTheTallySaved) {
  QProcess server;
  server.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp"});
  ASSERT_TRUE(server.waitForStarted(testing::kBeyondAnyLoadMilliseconds))
      << "Xvfb is not installed";
  QByteArray display;
  while (!display.endsWith('\n') && server.waitForReadyRead(testing::kBeyondAnyLoadMilliseconds)) {
    display += server.readLine();
  }
  ASSERT_FALSE(display.trimmed().isEmpty());
  Program program(Settings::kNone, {{"QT_QPA_PLATFORM", "xcb"},
                                    {"DISPLAY", ":" + QString::fromLatin1(display.trimmed())}});
  program.Start();
  ASSERT_TRUE(program.WaitUntilRunning()) << program.Errors();
  server.kill();
  server.waitForFinished(testing::kBeyondAnyLoadMilliseconds);
  ASSERT_TRUE(program.Process().waitForFinished(testing::kBeyondAnyLoadMilliseconds));
  EXPECT_EQ(program.Process().exitStatus(), QProcess::NormalExit) << program.Errors();
  EXPECT_EQ(program.Process().exitCode(), 3) << program.Errors();
  EXPECT_TRUE(QFileInfo::exists(program.ConfigFile())) << "no checkpoint came so soon";
}
#endif

#ifdef Q_OS_WIN
// What taskkill sends, as the close button does: the tally is saved.
TEST(WindowsWaysOut, ACloseFromAnotherProgramSaves) {
  if (!testing::UnderWine()) GTEST_SKIP() << "would use this user's own settings";
  Program program(Settings::kSeeded);
  HWND window = RunUntilItsWindowShows(program);
  ASSERT_NE(window, nullptr) << program.Errors();
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.Process().waitForFinished(testing::kBeyondAnyLoadMilliseconds));
  EXPECT_EQ(program.Process().exitCode(), 0) << program.Errors();
  EXPECT_GT(program.Saved("Total"), 100000);
}

// A logoff asks first (the tally is saved then, and the answer is yes), then
// ends the session: the program ends without a message to wait on.
TEST(WindowsWaysOut, ALogoffSavesAndEndsWithoutAMessage) {
  if (!testing::UnderWine()) GTEST_SKIP() << "would use this user's own settings";
  Program program(Settings::kSeeded);
  HWND window = RunUntilItsWindowShows(program);
  ASSERT_NE(window, nullptr) << program.Errors();
  DWORD_PTR answer = 0;
  ASSERT_NE(::SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                  SMTO_ABORTIFHUNG, 10000, &answer),
            0);
  EXPECT_EQ(answer, TRUE) << "the save held";
  const double saved = program.Saved("Total");
  EXPECT_GT(saved, 100000);
  ::SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 10000,
                        &answer);
  ASSERT_TRUE(program.Process().waitForFinished(testing::kBeyondAnyLoadMilliseconds))
      << "the program waits for somebody";
  EXPECT_EQ(program.Process().exitCode(), 0) << program.Errors();
  EXPECT_GE(program.Saved("Total"), saved);
}
#endif

}  // namespace
}  // namespace orvanel
