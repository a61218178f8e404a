#include "estimator/trial_tally.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <cstdint>
#include <limits>

#include "estimator/errors.h"
#include "estimator/number_text.h"

namespace orvanel {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(RecordTrial, CountsTheTrialAndAHitWhenAFactorIsFound) {
  TrialTally tally;
  RecordTrial(tally, 4, 6);
  EXPECT_EQ(tally.Total, 1);
  EXPECT_EQ(tally.Hits, 1);
  RecordTrial(tally, 6, 9);  // 3 lies above the bound of 6
  EXPECT_EQ(tally.Total, 2);
  EXPECT_EQ(tally.Hits, 1);
}

TEST(RecordTrial, AFullTotalIsAnOverflowAndCountsNothing) {
  TrialTally tally{kMax, 7, 1.5};
  EXPECT_THROW(RecordTrial(tally, 4, 6), OverflowError);
  EXPECT_EQ(tally.Total, kMax);
  EXPECT_EQ(tally.Hits, 7);
}

TEST(RecordTrial, FullHitsOverflowAfterTheTrialWasCounted) {
  TrialTally tally{kMax - 1, kMax, 0.0};  // outside the invariant, as only a stored tally can be
  EXPECT_THROW(RecordTrial(tally, 4, 6), OverflowError);
  EXPECT_EQ(tally.Total, kMax);
  EXPECT_EQ(tally.Hits, kMax);
}

struct EstimateCase {
  const char* name;
  std::int32_t total;
  std::int32_t hits;
  const char* shown;
};

std::ostream& operator<<(std::ostream& out, const EstimateCase& c) {
  return out << c.name;
}

class EstimateExamples : public ::testing::TestWithParam<EstimateCase> {};

TEST_P(EstimateExamples, IsTheSquareRootOfSixOverTheCoprimeShare) {
  const auto& c = GetParam();
  TrialTally tally{c.total, c.hits, 0.0};
  RecomputeEstimate(tally);
  EXPECT_DOUBLE_EQ(tally.Estimate, std::sqrt(6.0 / (double(c.total - c.hits) / c.total)));
  EXPECT_EQ(FixedFourDecimals(MakeStatusFigures(tally).estimate, "."), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Tallies, EstimateExamples,
                         ::testing::Values(EstimateCase{"FirstCoprimePair", 1, 0, "2.4495"},
                                           EstimateCase{"OneHitInThree", 3, 1, "3.0000"},
                                           EstimateCase{"OneHitInFour", 4, 1, "2.8284"},
                                           EstimateCase{"ThousandTrials", 1000, 392, "3.1414"},
                                           EstimateCase{"LargestTally", kMax, kMax - 1,
                                                        "113511.6817"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RecomputeEstimate, OneHitInThreeIsExactlyThree) {
  TrialTally tally{3, 1, 0.0};
  RecomputeEstimate(tally);
  EXPECT_EQ(tally.Estimate, 3.0);
}

struct BrokenTally {
  const char* name;
  std::int32_t total;
  std::int32_t hits;
  enum { kOverflow, kFloatingPoint, kInvalidArgument } error;
};

std::ostream& operator<<(std::ostream& out, const BrokenTally& c) {
  return out << c.name;
}

class BrokenTallies : public ::testing::TestWithParam<BrokenTally> {};

TEST_P(BrokenTallies, RaiseTheirErrorAndKeepTheEstimate) {
  const auto& c = GetParam();
  TrialTally tally{c.total, c.hits, 2.5};
  switch (c.error) {
    case BrokenTally::kOverflow:
      EXPECT_THROW(RecomputeEstimate(tally), OverflowError);
      break;
    case BrokenTally::kFloatingPoint:
      EXPECT_THROW(RecomputeEstimate(tally), FloatingPointError);
      break;
    case BrokenTally::kInvalidArgument:
      EXPECT_THROW(RecomputeEstimate(tally), InvalidArgumentError);
      break;
  }
  EXPECT_EQ(tally.Estimate, 2.5);
}

INSTANTIATE_TEST_SUITE_P(
    OutsideTheInvariant, BrokenTallies,
    ::testing::Values(BrokenTally{"DifferenceOutOfRange", kMax, -5, BrokenTally::kOverflow},
                      BrokenTally{"ZeroTotalWithHits", 0, 3, BrokenTally::kFloatingPoint},
                      BrokenTally{"MoreHitsThanTrials", 5, 7, BrokenTally::kInvalidArgument}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StatusFigures, AreTheEstimateTheTotalAndTheRelativelyPrimePairs) {
  EXPECT_EQ(MakeStatusFigures(TrialTally{1000, 392, 3.141404312}),
            (StatusFigures{3.141404312, 1000, 608}));
  EXPECT_THROW((void)MakeStatusFigures(TrialTally{kMax, -5, 1.0}), OverflowError);
}

}  // namespace
}  // namespace orvanel
