// The record behind the convergence chart and the statistics shown with it.
#include "chart/convergence_record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
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

// Over ten million points (a run of days), the record stays within its bound,
// keeps its first and latest points and spreads the rest evenly over the
// decades of the logarithmic axis.
TEST(ConvergenceRecord, StaysBoundedAndEvenOnTheLogarithmicAxis) {
  ConvergenceRecord record;
  for (std::int64_t pairs = 1; pairs <= 10'000'000; ++pairs) {
    record.Add(pairs, 3.0 + 1.0 / static_cast<double>(pairs));
    ASSERT_LE(record.Points().size(), ConvergenceRecord::kCapacity);
  }
  const auto& points = record.Points();
  EXPECT_EQ(points.front(), (ConvergenceRecord::Point{1, 4.0}));
  EXPECT_EQ(points.back().pairs, 10'000'000);
  EXPECT_GE(points.size(), ConvergenceRecord::kCapacity / 4);
  // Decades 10^2..10^7 (the first two hold fewer whole numbers than their share).
  std::array<int, 7> per_decade{};
  for (const auto& point : points) {
    const auto decade = static_cast<std::size_t>(std::log10(static_cast<double>(point.pairs)));
    if (decade < per_decade.size()) ++per_decade[decade];
  }
  const int smallest = *std::min_element(per_decade.begin() + 2, per_decade.end());
  const int largest = *std::max_element(per_decade.begin() + 2, per_decade.end());
  EXPECT_GT(smallest, 0);
  EXPECT_LE(largest, smallest * 3) << "decade counts differ too much";
}

}  // namespace
}  // namespace orvanel
