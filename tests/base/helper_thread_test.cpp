#include "base/helper_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>

#include "base/process_end.h"
#include "estimator/errors.h"
#include "estimator/read_ahead.h"
#include "support/beyond_any_load.h"
#include "support/held_file.h"

namespace orvanel {
namespace {

using std::chrono::milliseconds;
using testing::HeldFileSystem;
using testing::kBeyondAnyLoad;

TEST(RunWithPatience, GivesTheResultOrTheErrorOfWorkThatFinishesInTime) {
  EXPECT_EQ(RunWithPatience<int>(kBeyondAnyLoad, [] { return 42; }), 42);
  EXPECT_THROW(
      (void)RunWithPatience<int>(kBeyondAnyLoad, []() -> int { throw std::runtime_error("no"); }),
      std::runtime_error);
}

// Where the system can start no thread, work meant for a helper is refused, never
// run on the caller's thread (the window's), where it might never end.
void CannotStart(std::function<void()>) {
  throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
}

TEST(HelperThreads, ThatCannotStartRunNothingOnTheCallersThread) {
  bool ran = false;
  EXPECT_THROW((void)RunWithPatience<int>(
                   milliseconds(10),
                   [&ran] {
                     ran = true;
                     return 1;
                   },
                   CannotStart),
               std::system_error);
  EXPECT_FALSE(ran);

  bool opened = false;
  try {
    const ReadAhead reader(
        "pairs.bin",
        [&opened]() -> std::unique_ptr<OpenFileBytes> {
          opened = true;
          return nullptr;
        },
        {}, CannotStart);
    ADD_FAILURE() << "a reader without a thread was taken";
  } catch (const FileOpenError& error) {
    EXPECT_EQ(error.Why().kind, FileFailure::Kind::kNoThread);
    EXPECT_EQ(error.Name(), "pairs.bin");
  }
  EXPECT_FALSE(opened);
}

// Helpers that are done before the thread that started them goes on: each
// runs its work exactly once, however many there are. A thread library whose
// detach raced with such a thread lost one now and then, or crashed.
TEST(HelperThreads, ThatEndAtOnceEachRunTheirWorkOnce) {
  constexpr int kHelpers = 20'000;
  struct Count {
    std::mutex mutex;
    std::condition_variable changed;
    int ran = 0;
  };
  const auto count = std::make_shared<Count>();
  const auto deadline = std::chrono::steady_clock::now() + kBeyondAnyLoad;
  for (int helper = 0; helper < kHelpers;) {
    try {
      StartHelperThread([count] {
        const std::lock_guard lock(count->mutex);
        ++count->ran;
        count->changed.notify_all();
      });
      ++helper;
    } catch (const std::system_error&) {
      // More threads alive than a loaded system starts at this moment: the
      // work never ran, and is started again once some have ended.
      ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "no thread could be started";
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  std::unique_lock lock(count->mutex);
  count->changed.wait_for(lock, kBeyondAnyLoad, [&count] { return count->ran >= kHelpers; });
  EXPECT_EQ(count->ran, kHelpers);
}

// A caller that stopped waiting leaves its helper behind, by design (a network
// mount that stopped answering): an open, a read, a close or a piece of work
// that answers just after the caller gave up, while the program goes on or as
// it ends. Whatever the helper touches then must still be there.
enum class Late { kOpen, kRead, kClose, kWork };

struct LeftBehindCase {
  const char* name;
  Late late;
};

std::ostream& operator<<(std::ostream& out, const LeftBehindCase& c) {
  return out << c.name;
}

// A caller's patience that has run out before the answer comes: the answer is
// held back until the caller has given up.
constexpr ReadAheadPatience kShortPatience{milliseconds(1), milliseconds(1)};

// Gives up on a helper that `late` holds back; the helper answers once the
// returned file system is released.
std::shared_ptr<HeldFileSystem> GiveUp(Late late) {
  auto system = std::make_shared<HeldFileSystem>();
  system->bytes.assign(16, 1);
  switch (late) {
    case Late::kOpen:
      system->holdOpens = true;
      try {
        ReadAhead reader("held.bin", testing::HeldOpen(system), kShortPatience);
        reader.WaitUntilOpened();
        ADD_FAILURE() << "an open held back was taken as done";
      } catch (const FileOpenError& error) {
        EXPECT_EQ(error.Why().kind, FileFailure::Kind::kNoAnswer);
      }
      break;
    case Late::kRead: {
      ReadAhead reader("held.bin", testing::HeldOpen(system), {kBeyondAnyLoad, milliseconds(1)});
      reader.WaitUntilOpened();
      unsigned char pair[8];
      EXPECT_EQ(reader.Take(pair, sizeof pair), ReadAhead::Took::kTaken);
      {
        const std::lock_guard lock(system->mutex);
        system->holdReads = true;
        system->bytes.resize(64, 1);  // grown: the reader reads again, and waits
      }
      reader.LookAgain();
      EXPECT_TRUE(system->Within([&system] { return system->readsHeld == 1; }));
      EXPECT_EQ(reader.Take(pair, sizeof pair), ReadAhead::Took::kNotArrived)
          << "a held read brought bytes";
      break;  // the reader goes with the read still held
    }
    case Late::kClose: {
      ReadAhead reader("held.bin", testing::HeldOpen(system), {kBeyondAnyLoad, milliseconds(1)});
      reader.WaitUntilOpened();
      unsigned char pair[8];
      EXPECT_EQ(reader.Take(pair, sizeof pair), ReadAhead::Took::kTaken);
      const std::lock_guard lock(system->mutex);
      system->holdCloses = true;
      break;  // the reader goes, and its close waits
    }
    case Late::kWork:
      system->holdOpens = true;
      EXPECT_EQ(RunWithPatience<int>(milliseconds(1),
                                     [system] {
                                       (void)testing::HeldOpen(system)();
                                       return 1;
                                     }),
                std::nullopt);
      break;
  }
  return system;
}

class LeftBehind : public ::testing::TestWithParam<LeftBehindCase> {};

TEST_P(LeftBehind, AnswersWhileTheProgramGoesOn) {
  for (int round = 0; round < 100; ++round) {
    const auto system = GiveUp(GetParam().late);
    system->Release();
    EXPECT_TRUE(system->Within([&system] { return system->opened == 1; }));
    ASSERT_TRUE(system->AllClosed()) << "round " << round;
  }
}

TEST_P(LeftBehind, AnswersWhileTheProgramEnds) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        GiveUp(GetParam().late)->Release();
        EndProcess(0);
      },
      ::testing::ExitedWithCode(0), "");
}

INSTANTIATE_TEST_SUITE_P(Helpers, LeftBehind,
                         ::testing::Values(LeftBehindCase{"Open", Late::kOpen},
                                           LeftBehindCase{"Read", Late::kRead},
                                           LeftBehindCase{"Close", Late::kClose},
                                           LeftBehindCase{"Work", Late::kWork}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvanel
