#include "base/helper_thread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <stdexcept>

#include "estimator/errors.h"
#include "estimator/read_ahead.h"

namespace orvanel {
namespace {

using std::chrono::milliseconds;

TEST(RunWithPatience, GivesTheResultOrTheErrorOfWorkThatFinishesInTime) {
  EXPECT_EQ(RunWithPatience<int>(milliseconds(10'000), [] { return 42; }), 42);
  EXPECT_THROW((void)RunWithPatience<int>(milliseconds(10'000),
                                          []() -> int { throw std::runtime_error("no"); }),
               std::runtime_error);
}

TEST(RunWithPatience, LeavesWorkThatHangsBehindAndGoesOn) {
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  std::promise<void> finished;
  const auto result = RunWithPatience<int>(milliseconds(50), [released, &finished] {
    released.wait();  // a read of a file system that stopped answering
    finished.set_value();
    return 1;
  });
  EXPECT_EQ(result, std::nullopt);
  release.set_value();
  EXPECT_EQ(finished.get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready)
      << "the helper finishes alone";
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
    EXPECT_EQ(error.Why(), FileOpenError::Reason::kNoThread);
    EXPECT_EQ(error.Name(), "pairs.bin");
  }
  EXPECT_FALSE(opened);
}

}  // namespace
}  // namespace orvanel
