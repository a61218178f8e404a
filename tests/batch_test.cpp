#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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

}  // namespace
}  // namespace orvanel
