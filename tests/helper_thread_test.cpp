#include "helper_thread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <stdexcept>

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

}  // namespace
}  // namespace orvanel
