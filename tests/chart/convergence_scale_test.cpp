// The axes of the convergence chart: round ticks, and axes that hold what is
// shown of a run, from its first pair to the tally's limit.
#include "chart/convergence_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <ostream>
#include <vector>

namespace orvanel {
namespace {

using Points = std::vector<ConvergenceRecord::Point>;
constexpr std::int64_t kMax = 2'147'483'647;

struct RoundCase {
  double low;
  double high;
  double step;
  int decimals;
  double axisLow;
  double axisHigh;
};

std::ostream& operator<<(std::ostream& out, const RoundCase& c) {
  return out << c.low << " to " << c.high;
}

class RoundAxes : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundAxes, StepByOneTwoOrFiveTimesAPowerOfTenWithTheDecimalsTheStepNeeds) {
  const RoundCase& c = GetParam();
  const RoundAxis axis = RoundAxisFor(c.low, c.high, 5);
  EXPECT_DOUBLE_EQ(axis.step, c.step);
  EXPECT_EQ(axis.decimals, c.decimals);
  EXPECT_NEAR(axis.low, c.axisLow, c.step * 1e-6);
  EXPECT_NEAR(axis.high, c.axisHigh, c.step * 1e-6);
  const auto ticks = axis.Ticks();
  EXPECT_NEAR(ticks.front(), axis.low, c.step * 1e-6);
  EXPECT_NEAR(ticks.back(), axis.high, c.step * 1e-6);
  EXPECT_GE(ticks.size(), 3u);
  EXPECT_LE(ticks.size(), 12u);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, RoundAxes,
    ::testing::Values(RoundCase{2.6, 3.7, 0.5, 1, 2.5, 4.0}, RoundCase{3.0, 3.9, 0.2, 1, 3.0, 4.0},
                      RoundCase{3.1391, 3.1441, 0.001, 3, 3.139, 3.145},
                      RoundCase{3.14159, 3.14160, 0.000002, 6, 3.14159, 3.1416},
                      RoundCase{0.5, 5.7, 2.0, 0, 0.0, 6.0},
                      RoundCase{2.4, 113'512.0, 50'000.0, 0, 0.0, 150'000.0},
                      RoundCase{3.0, 3.0, 0.000002, 6, 2.999996, 3.000004}));

// Runs as the record keeps them: a point each time the lines were drawn, wild
// at first and close to pi later.
Points RecordedRun(std::int64_t first, std::int64_t last, double wild, double settled) {
  Points points;
  for (std::int64_t pairs = first; pairs < last; pairs = pairs * 5 / 4 + 1) {
    points.push_back({pairs, std::numbers::pi + (pairs < 100 ? wild : settled)});
  }
  points.push_back({last, std::numbers::pi + settled});
  return points;
}

struct ChartCase {
  const char* name;
  Points record;
  double pairsLow;  // the pairs axis's ends
  double pairsHigh;
  std::vector<std::int64_t> ticks;
  double widestEstimateSpan;  // the estimate axis may not be wider: the line shows
};

std::ostream& operator<<(std::ostream& out, const ChartCase& c) {
  return out << c.name;
}

class ChartAxes : public ::testing::TestWithParam<ChartCase> {};

// The axes follow what is shown: the pairs from the first point shown to the
// latest count, never beyond it; the estimates shown, the band and pi, with
// every point shown inside the plot.
TEST_P(ChartAxes, HoldWhatIsShownAndNoMore) {
  const ChartCase& c = GetParam();
  const Points shown = ShownPoints(c.record);
  const PairsAxis pairs = PairsAxisFor(shown);
  EXPECT_DOUBLE_EQ(pairs.low, c.pairsLow);
  EXPECT_DOUBLE_EQ(pairs.high, c.pairsHigh);
  EXPECT_EQ(pairs.ticks, c.ticks);
  const RoundAxis estimates = EstimateAxisFor(shown, pairs);
  EXPECT_LE(estimates.high - estimates.low, c.widestEstimateSpan);
  ASSERT_GE(pairs.ticks.size(), 2u) << "at least two labels";
  EXPECT_LT(estimates.low, std::numbers::pi);
  EXPECT_GT(estimates.high, std::numbers::pi);
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.back(), c.record.back()) << "the latest point is always shown";
  for (const auto& point : shown) {
    EXPECT_GE(static_cast<double>(point.pairs), pairs.low);
    EXPECT_LE(static_cast<double>(point.pairs), pairs.high);
    EXPECT_GT(point.estimate, estimates.low) << point.pairs << " pairs";
    EXPECT_LT(point.estimate, estimates.high) << point.pairs << " pairs";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, ChartAxes,
    ::testing::Values(
        ChartCase{"OnePair", {{1, 2.449}}, 1, 2, {1, 2}, 8},
        ChartCase{"SixtyFourPairs", RecordedRun(1, 64, 0.3, 0.3), 1, 64, {1, 2, 5, 10, 20, 50}, 8},
        ChartCase{"AHundredPairFileThatEnded",
                  {{64, 3.10}, {72, 3.20}, {88, 3.14}, {100, 3.1363}},
                  50,
                  100,
                  {50, 100},
                  2},
        ChartCase{"AThousand", RecordedRun(1, 1000, 1.5, 0.05), 1, 1000, {1, 10, 100, 1000}, 8},
        ChartCase{"AMillion",
                  RecordedRun(1, 1'000'000, 1.5, 0.001),
                  1109,
                  1'000'000,
                  {10'000, 100'000, 1'000'000},
                  0.4},
        ChartCase{"LoadedNearTheLimit",
                  {{kMax - 647, 3.14159}, {kMax - 300, 3.14160}, {kMax, 3.14158}},
                  1'000'000'000,
                  kMax,
                  {1'000'000'000, 2'000'000'000},
                  0.0005},
        // Half its count holds no round count: the axis reaches down to two.
        ChartCase{"CarriedAtFortyFiveMillion",
                  {{45'000'000, 3.14159}},
                  10'000'000,
                  45'000'000,
                  {10'000'000, 20'000'000},
                  0.003},
        ChartCase{"ARunToTheLimitWithAWildStart",
                  RecordedRun(1, kMax, 2.0, 0.00002),
                  2'191'872.0,
                  kMax,
                  {10'000'000, 100'000'000, 1'000'000'000},
                  0.01}),
    [](const auto& info) { return std::string(info.param.name); });

// Where not every label has room, the 2s go first, then the 5s, then every
// other decade, counted back from the latest; at last only the two ends stay.
TEST(PairsLabels, KeepTheDecadesLongestAndAlwaysTwo) {
  const struct {
    std::vector<std::int64_t> ticks;
    std::vector<std::vector<std::int64_t>> choices;
  } cases[] = {
      {{5'000'000, 10'000'000, 20'000'000, 50'000'000},
       {{5'000'000, 10'000'000, 20'000'000, 50'000'000},
        {5'000'000, 10'000'000, 50'000'000},
        {5'000'000, 50'000'000}}},
      {{1, 2, 5, 10, 20, 50, 100},
       {{1, 2, 5, 10, 20, 50, 100}, {1, 5, 10, 50, 100}, {1, 10, 100}, {1, 100}}},
      {{10'000, 100'000, 1'000'000, 10'000'000, 100'000'000},
       {{10'000, 100'000, 1'000'000, 10'000'000, 100'000'000},
        {10'000, 1'000'000, 100'000'000},
        {100'000, 100'000'000},
        {10'000, 100'000'000}}},
      {{1, 2}, {{1, 2}}},
  };
  for (const auto& c : cases) {
    PairsAxis axis;
    axis.ticks = c.ticks;
    EXPECT_EQ(PairsLabelChoices(axis), c.choices) << c.ticks.front() << " to " << c.ticks.back();
  }
}

TEST(PointsToDraw, KeepAboutOneAPixelWithTheFirstAndTheLatest) {
  Points points;
  for (std::int64_t pairs = 1; pairs <= 1'000'000; pairs += 7) points.push_back({pairs, 3.0});
  const Points shown = ShownPoints(points);
  const Points drawn = PointsToDraw(shown, PairsAxisFor(shown), 500);
  EXPECT_LE(drawn.size(), 600u);
  EXPECT_GE(drawn.size(), 250u);
  EXPECT_EQ(drawn.front(), shown.front());
  EXPECT_EQ(drawn.back(), shown.back());
}

}  // namespace
}  // namespace orvanel
