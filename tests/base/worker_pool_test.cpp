#include "base/worker_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "estimator/errors.h"

namespace orvanel {
namespace {

// Every part runs exactly once, on however many threads; a part that throws
// stops none of the others, and what it threw reaches the caller's thread, to
// be handled there as it would be on one thread.
TEST(WorkerPool, RunEveryPartOnceAndCarryWhatOneThrowsBackToTheCaller) {
  for (const unsigned helpers : {0u, 1u, 3u}) {
    WorkerPool workers(helpers);
    for (const int throwing : {-1, 0, 5}) {
      std::vector<std::atomic<int>> runs(8);
      const auto run = [&] {
        workers.Run(runs.size(), [&runs, throwing](std::size_t part) {
          ++runs[part];
          if (static_cast<int>(part) == throwing) {
            throw ArithmeticError(Fault::kLimitReached, Quantity::kPeopleAsked);
          }
        });
      };
      if (throwing < 0) {
        EXPECT_NO_THROW(run()) << helpers << " helpers";
      } else {
        EXPECT_THROW(run(), ArithmeticError) << helpers << " helpers, part " << throwing;
      }
      for (const auto& part_runs : runs) EXPECT_EQ(part_runs, 1) << helpers << " helpers";
    }
  }
}

}  // namespace
}  // namespace orvanel
