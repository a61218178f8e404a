#include "base/worker_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <vector>

#include "base/usable_cores.h"
#include "estimator/errors.h"

#ifdef _WIN32
#include "base/windows_api.h"
#else
#include <sched.h>
#endif

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

// A cgroup's quota, as its cpu.max line gives it, in cores rounded up.
TEST(UsableCores, FollowACgroupsQuota) {
  const struct {
    const char* line;
    std::optional<unsigned> cores;
  } cases[] = {{"max 100000\n", std::nullopt}, {"50000 100000\n", 1u},    {"100000 100000", 1u},
               {"150000 100000", 2u},          {"400000 100000\n", 4u},   {"", std::nullopt},
               {"half 100000", std::nullopt},  {"100000 0", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(CoresOfCpuMax(c.line), c.cores) << c.line;
}

// Full Speed starts no more workers than the cores the process may use: under
// an affinity of one core, none beside the caller.
TEST(UsableCores, FollowTheProcesssAffinity) {
#ifdef _WIN32
  const HANDLE process = ::GetCurrentProcess();
  DWORD_PTR before = 0;
  DWORD_PTR system = 0;
  ASSERT_TRUE(::GetProcessAffinityMask(process, &before, &system));
  ASSERT_TRUE(::SetProcessAffinityMask(process, before & (~before + 1)));
  EXPECT_EQ(UsableCores(), 1u);
  EXPECT_EQ(WorkerPool::HelpersForThisMachine(), 0u);
  ::SetProcessAffinityMask(process, before);
#else
  cpu_set_t before;
  ASSERT_EQ(::sched_getaffinity(0, sizeof before, &before), 0);
  int first = 0;
  while (!CPU_ISSET(first, &before)) ++first;
  cpu_set_t one;
  CPU_ZERO(&one);
  CPU_SET(first, &one);
  ASSERT_EQ(::sched_setaffinity(0, sizeof one, &one), 0);
  EXPECT_EQ(UsableCores(), 1u);
  EXPECT_EQ(WorkerPool::HelpersForThisMachine(), 0u);
  ::sched_setaffinity(0, sizeof before, &before);
#endif
  EXPECT_GE(UsableCores(), 1u);
}

}  // namespace
}  // namespace orvanel
