#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "estimator/errors.h"
#include "estimator/estimator.h"
#include "support/fakes.h"

namespace orvanel {
namespace {

using testing::EstimatorRig;

// 0.5 then 0 draws the pair (1073741820, 1073741820): a common factor.
constexpr std::initializer_list<float> kFactorDraws = {0.5f, 0.0f};
// 0 then 0 draws (2, 2): the bound of 2 is 1, so no common factor.
constexpr std::initializer_list<float> kCoprimeDraws = {0.0f, 0.0f};

TEST(Batch, ATickRunsFourTrialsAndRedrawsAfterEach) {
  EstimatorRig rig(kCoprimeDraws);
  rig.estimator.Restore(TrialTally{10, 4, 1.0});
  rig.estimator.Tick();
  EXPECT_EQ(rig.estimator.Tally().Total, 14);
  EXPECT_EQ(rig.estimator.Tally().Hits, 4);
  EXPECT_EQ(rig.estimator.BatchStep(), 5);
  EXPECT_EQ(rig.frontEnd.captionUpdates, 4);
  EXPECT_EQ(rig.frontEnd.texts.total, " based on  14 virtual people asked");
  EXPECT_EQ(rig.frontEnd.progress, 0) << "the bar moves only in file mode";
}

TEST(Batch, RandomTicksAlwaysAddFour) {
  EstimatorRig rig({0.1f, 0.9f, 0.33f, 0.5f, 0.7f});
  for (int tick = 1; tick <= 50; ++tick) {
    rig.estimator.Tick();
    ASSERT_EQ(rig.estimator.Tally().Total, 4 * tick);
  }
}

TEST(Batch, AfterResetATickOfCommonFactorsLeavesTheEstimateAndTextsAlone) {
  EstimatorRig rig(kFactorDraws);
  rig.estimator.Restore(TrialTally{100, 30, 3.1});
  rig.estimator.Reset();
  EXPECT_EQ(rig.frontEnd.texts.estimate, "is about 0.0000");
  EXPECT_EQ(rig.frontEnd.texts.total, " based on  0 virtual people asked");
  EXPECT_EQ(rig.frontEnd.texts.hits, "and  0 guesses being relatively prime");
  rig.frontEnd.log.clear();

  rig.estimator.Tick();
  EXPECT_EQ(rig.estimator.Tally().Total, 4);
  EXPECT_EQ(rig.estimator.Tally().Hits, 4);
  EXPECT_EQ(rig.estimator.Tally().Estimate, 0.0);
  EXPECT_TRUE(rig.frontEnd.log.empty());
}

TEST(Batch, FirstCoprimePairAfterResetShowsTheSquareRootOfSix) {
  EstimatorRig rig(kCoprimeDraws);
  rig.estimator.Reset();
  rig.estimator.Tick();
  EXPECT_EQ(rig.frontEnd.texts.estimate, "is about 2.4495");
}

TEST(Batch, AFullTotalStopsTheTickAtTheFailingTrial) {
  EstimatorRig rig(kCoprimeDraws);
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  rig.estimator.Restore(TrialTally{kMax - 2, 0, 1.0});
  EXPECT_THROW(rig.estimator.Tick(), OverflowError);
  EXPECT_EQ(rig.estimator.Tally().Total, kMax) << "the two trials before the failure stay counted";
  EXPECT_EQ(rig.estimator.BatchStep(), 3) << "the third trial failed; the fourth never ran";
  EXPECT_EQ(rig.frontEnd.captionUpdates, 2);
}

TEST(Batch, ABrokenTallyFailsAtTheEstimateWithTheTrialCounted) {
  EstimatorRig rig(kCoprimeDraws);
  rig.estimator.Restore(TrialTally{5, 9, 2.0});  // more hits than trials
  EXPECT_THROW(rig.estimator.Tick(), InvalidArgumentError);
  EXPECT_EQ(rig.estimator.Tally().Total, 6);
  EXPECT_EQ(rig.estimator.Tally().Estimate, 2.0);
  EXPECT_EQ(rig.frontEnd.captionUpdates, 0);
  // Reset brings the tally back within its invariant.
  rig.estimator.Reset();
  rig.estimator.Tick();
  EXPECT_EQ(rig.estimator.Tally().Total, 4);
}

TEST(Reset, ZeroesTheTallyOnly) {
  EstimatorRig rig;
  rig.estimator.Restore(TrialTally{8, 3, 2.9});
  rig.frontEnd.log.clear();
  rig.estimator.Reset();
  EXPECT_EQ(rig.estimator.Tally().Total, 0);
  EXPECT_EQ(rig.estimator.Tally().Hits, 0);
  EXPECT_EQ(rig.estimator.Tally().Estimate, 0.0);
  EXPECT_EQ(rig.frontEnd.log, std::vector<std::string>{"captions"});
  EXPECT_FALSE(rig.estimator.AnalyzingFile());
}

// Full Speed runs random ticks at once on any number of threads, and leaves
// exactly what as many ticks one after the other leave, whatever stops it:
// the limit of the count, or the trials stopped between slices.
struct AtOnceCase {
  const char* name;
  TrialTally from;
  std::vector<std::int64_t> slices;  // ticks at once; a negative count one at a time
};

std::ostream& operator<<(std::ostream& out, const AtOnceCase& c) {
  return out << c.name;
}

constexpr std::int32_t kLimit = std::numeric_limits<std::int32_t>::max();

struct CountedRig {
  testing::RecordingFrontEnd frontEnd;
  ClockSeededGenerator generator{{0x243f6a88, 0x85a308d3}};
  Estimator estimator{frontEnd, generator};
  // A tick, as the window runs it: an error ends the trials.
  void Tick() {
    try {
      estimator.Tick();
    } catch (const OverflowError&) {
      stopped = true;
    }
  }
  bool stopped = false;
};

class TicksAtOnce : public ::testing::TestWithParam<std::tuple<AtOnceCase, unsigned>> {};

TEST_P(TicksAtOnce, LeaveWhatTicksOneAfterTheOtherLeave) {
  const auto& [c, threads] = GetParam();
  CountedRig one_by_one;
  CountedRig at_once;
  one_by_one.estimator.Restore(c.from);
  at_once.estimator.Restore(c.from);
  at_once.estimator.UseWorkers(threads);
  std::int64_t ran_at_once = 0;
  for (const std::int64_t slice : c.slices) {
    const std::int64_t ticks = slice < 0 ? -slice : slice;
    for (std::int64_t tick = 0; tick < ticks && !one_by_one.stopped; ++tick) one_by_one.Tick();
    // As a slice at full speed runs them: at once while they can, else one.
    for (std::int64_t ran = 0; ran < ticks && !at_once.stopped;) {
      const std::int64_t now = slice < 0 ? 0 : at_once.estimator.RunTicksAtOnce(ticks - ran);
      ran_at_once += now;
      if (now == 0) at_once.Tick();
      ran += std::max<std::int64_t>(now, 1);
    }
  }
  EXPECT_GT(ran_at_once, 0) << "some ran at once";
  EXPECT_EQ(at_once.estimator.Tally(), one_by_one.estimator.Tally());
  EXPECT_EQ(at_once.stopped, one_by_one.stopped);
  EXPECT_EQ(at_once.generator.Position(), one_by_one.generator.Position());
  EXPECT_EQ(at_once.frontEnd.texts.estimate, one_by_one.frontEnd.texts.estimate);
  EXPECT_EQ(at_once.frontEnd.texts.total, one_by_one.frontEnd.texts.total);
  EXPECT_EQ(at_once.frontEnd.texts.hits, one_by_one.frontEnd.texts.hits);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, TicksAtOnce,
    ::testing::Combine(
        ::testing::Values(AtOnceCase{"FromZero", {}, {5000}},
                          AtOnceCase{"FromALoadedTally", {1000, 392, 3.1}, {1, 2, 3, 4000}},
                          AtOnceCase{"ToTheLimit", {kLimit - 4 * 700 - 2, 0, 3.0}, {1000}},
                          AtOnceCase{"StoppedBetweenSlices", {}, {300, -7, 500, -1, 2}}),
        ::testing::Values(1u, 2u, 3u, 7u)),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) + "On" +
             std::to_string(std::get<1>(info.param)) + "Threads";
    });

// The chart draws what is handed over: every pair's figures while the tally
// is short, and later steps of at most a 1/1024 of it, however many ticks are
// asked for at once.
TEST(TicksAtOnce, HandOverFiguresThatTraceTheCourse) {
  CountedRig rig;
  for (std::int64_t ran = 0; ran < 100'000;) {
    const std::int64_t now = rig.estimator.RunTicksAtOnce(1'000'000);
    if (now == 0) rig.Tick();
    ran += std::max<std::int64_t>(now, 1);
  }
  const std::vector<std::int32_t>& totals = rig.frontEnd.totals;
  ASSERT_GT(totals.size(), 1000u);
  for (std::size_t i = 1; i < totals.size(); ++i) {
    const std::int32_t step = totals[i] - totals[i - 1];
    if (totals[i] <= Estimator::kOneAtATimeUpTo) {
      ASSERT_EQ(step, 1) << "at " << totals[i];
    } else {
      ASSERT_LE(step, std::max(4, totals[i - 1] / 1024 + 4)) << "at " << totals[i];
    }
  }
}

// Where the outcome of a trial could be an error, or the pairs come from a
// generator that cannot be continued anywhere, nothing runs at once.
TEST(TicksAtOnce, RunNoneWhereTheyCouldDiffer) {
  CountedRig broken;
  broken.estimator.Restore(TrialTally{10, 11, 0.0});  // more hits than trials
  EXPECT_EQ(broken.estimator.RunTicksAtOnce(100), 0);
  EstimatorRig scripted(kCoprimeDraws);
  EXPECT_EQ(scripted.estimator.RunTicksAtOnce(100), 0);
  EXPECT_EQ(scripted.estimator.Tally().Total, 0);
}

}  // namespace
}  // namespace orvanel
