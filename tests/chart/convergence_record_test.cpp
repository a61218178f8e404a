// The record behind the convergence chart and the statistics shown with it.
#include "chart/convergence_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

#include "estimator/common_factor.h"
#include "estimator/random_pairs.h"
#include "support/fakes.h"

namespace orvanel {
namespace {

TEST(ConvergenceBand, HasTheHalfWidthOfTheNormalApproximation) {
  // 1.96 (pi / 2) sqrt((1 - p) / (p n)) with p = 6 / pi^2 is 2.4725 / sqrt(n).
  const std::pair<double, double> known[] = {
      {1, 2.472484668918381}, {100, 0.24724846689183808}, {1e6, 0.002472484668918381}};
  for (const auto& [pairs, half_width] : known) {
    EXPECT_NEAR(ExpectedHalfWidth(pairs), half_width, 1e-12) << pairs;
  }
  EXPECT_NEAR(ObservedHalfWidth(10000, 3921, 3.1416626832299914), 0.024726803560863826, 1e-12);
}

// The band claims that 95 % of runs of n random pairs end inside it; so they do,
// with the program's own random pairs and common-factor test.
TEST(ConvergenceBand, HoldsNinetyFivePercentOfRandomRuns) {
  testing::SeededGenerator generator(77);
  constexpr int kRuns = 400;
  constexpr int kPairs = 5000;
  int inside = 0;
  for (int run = 0; run < kRuns; ++run) {
    int hits = 0;
    for (int trial = 0; trial < kPairs; ++trial) {
      const Pair pair = DrawRandomPair(generator);
      hits += HasCommonFactor(pair.first, pair.second);
    }
    const double estimate = std::sqrt(6.0 / (static_cast<double>(kPairs - hits) / kPairs));
    inside += std::abs(estimate - std::numbers::pi) <= ExpectedHalfWidth(kPairs);
  }
  EXPECT_NEAR(static_cast<double>(inside) / kRuns, 0.95, 0.03);
}

TEST(ConvergenceRecord, PassesOverWhatTheChartCannotPlace) {
  ConvergenceRecord record;
  record.Add(0, 3.0);   // no pairs
  record.Add(10, 0.0);  // no estimate
  record.Add(-5, 3.0);  // a count out of its invariant
  record.Add(100, 3.2);
  record.Add(50, 3.1);   // fewer pairs than before
  record.Add(100, 3.3);  // the same count again
  EXPECT_EQ(record.Points(), (std::vector<ConvergenceRecord::Point>{{100, 3.3}}));
}

// How the counts reach the record: every pair's figures while a run is short
// and where pairs come one at a time; at Full Speed, later, in steps of a
// 1/1024 of the tally (Estimator::RunTicksAtOnce).
struct RunCase {
  const char* name;
  std::int64_t last;
  bool fullSpeed;
};

std::ostream& operator<<(std::ostream& out, const RunCase& c) {
  return out << c.name;
}

class RecordedRuns : public ::testing::TestWithParam<RunCase> {};

// A run of any length and speed leaves the same shape: every pair up to a few
// hundred, then the same number of points in every decade, the latest always
// last, and never more than the bound.
TEST_P(RecordedRuns, KeepEveryEarlyPairThenEvenDecades) {
  const RunCase& c = GetParam();
  ConvergenceRecord record;
  for (std::int64_t pairs = 1; pairs <= c.last;) {
    record.Add(pairs, std::numbers::pi + 1.0 / static_cast<double>(pairs));
    const std::int64_t step = c.fullSpeed && pairs >= 1024 ? pairs / 1024 / 4 * 4 : 1;
    pairs = pairs < c.last ? std::min(c.last, pairs + std::max<std::int64_t>(step, 1)) : c.last + 1;
  }
  const auto& points = record.Points();
  ASSERT_LE(points.size(), ConvergenceRecord::kCapacity);
  EXPECT_EQ(points.back().pairs, c.last) << "the latest is always kept";
  const auto early = std::min(c.last, ConvergenceRecord::kEveryPairUpTo);
  for (std::int64_t pairs = 1; pairs <= early; ++pairs) {
    ASSERT_EQ(points[static_cast<std::size_t>(pairs - 1)].pairs, pairs) << "every early pair";
  }
  std::map<int, int> per_decade;
  for (std::size_t i = 1; i < points.size(); ++i) {
    const double apart =
        std::log10(static_cast<double>(points[i].pairs) / static_cast<double>(points[i - 1].pairs));
    if (points[i - 1].pairs >= ConvergenceRecord::kEveryPairUpTo) {
      ASSERT_LT(apart, 0.02) << "no gap after " << points[i - 1].pairs;
    }
    ++per_decade[static_cast<int>(std::floor(std::log10(static_cast<double>(points[i].pairs))))];
  }
  // The decades after the early pairs, whole within the run.
  for (int decade = 3; std::pow(10.0, decade + 1) <= static_cast<double>(c.last); ++decade) {
    EXPECT_NEAR(per_decade[decade], ConvergenceRecord::kPerDecade, 5) << "decade " << decade;
  }
}

INSTANTIATE_TEST_SUITE_P(Runs, RecordedRuns,
                         ::testing::Values(RunCase{"OnePair", 1, false},
                                           RunCase{"AHundredPairFile", 100, false},
                                           RunCase{"AMillionAtFullSpeed", 1'000'000, true},
                                           RunCase{"AnHourAtATickAMillisecond", 14'400'000, false},
                                           RunCase{"ToTheLimitAtFullSpeed", 2'147'483'647, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// A carried record goes on as it was kept, from its saved points, and says
// where it began; Restart forgets both.
TEST(ConvergenceRecord, GoesOnFromACarriedRecord) {
  ConvergenceRecord record({{50'000'000, 3.1415}}, 50'000'000);
  record.Add(50'000'004, 3.1416);
  EXPECT_EQ(record.ContinuedFrom(), 50'000'000);
  EXPECT_EQ(record.Points(),
            (std::vector<ConvergenceRecord::Point>{{50'000'000, 3.1415}, {50'000'004, 3.1416}}));
  record.Restart();
  EXPECT_TRUE(record.Points().empty());
  EXPECT_EQ(record.ContinuedFrom(), 0);
}

}  // namespace
}  // namespace orvanel
