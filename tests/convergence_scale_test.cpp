// The axes of the convergence chart: round ticks, whole decades, and an
// estimate axis that follows the run as it is now.
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

struct DecadeCase {
  std::int64_t first;
  std::int64_t last;
  DecadeAxis axis;
};

TEST(PairsAxis, SpansWholeDecadesAndShowsAtLeastThreeTicks) {
  const DecadeCase cases[] = {
      {1, 1, {0, 2}},     {1, 9, {0, 2}},           {1, 10, {0, 2}},       {1, 11, {0, 2}},
      {1, 101, {0, 3}},   {9, 999, {0, 3}},         {10, 1000, {1, 3}},    {64, 720'000, {1, 6}},
      {100, 100, {2, 4}}, {999'999, kMax, {5, 10}}, {kMax, kMax, {9, 11}}, {1, kMax, {0, 10}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PairsAxis(Points{{c.first, 3.0}, {c.last, 3.1}}), c.axis)
        << c.first << " to " << c.last;
  }
  EXPECT_EQ(PairsAxis({}), (DecadeAxis{0, 2})) << "no run yet";
}

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

// Runs recorded as they went: wild at first, close to pi later.
Points RecordedRun(std::int64_t last_pairs, double wild, double settled) {
  Points points;
  for (std::int64_t pairs = 1; pairs <= last_pairs; pairs *= 2) {
    points.push_back({pairs, std::numbers::pi + (pairs < 100 ? wild : settled)});
  }
  points.push_back({last_pairs, std::numbers::pi + settled});
  return points;
}

TEST(EstimateAxis, FollowsTheLastThreeDecadesAndLetsEarlierEstimatesRunOff) {
  // Early on, the whole run is recent: its wild start is in view.
  const RoundAxis young = EstimateAxis(RecordedRun(5'000, 1.5, 0.01));
  EXPECT_LE(young.low, std::numbers::pi - ExpectedHalfWidth(5));
  EXPECT_GE(young.high, std::numbers::pi + 1.5);

  // A million pairs later the first hundred lie outside: the axis holds pi, the
  // band from a thousand pairs on and the estimates since.
  const RoundAxis old = EstimateAxis(RecordedRun(100'000'000, 1.5, 0.0004));
  const double band = ExpectedHalfWidth(100'000);
  EXPECT_LT(old.high, std::numbers::pi + 1.0) << "the wild start runs off the edge";
  EXPECT_LE(old.low, std::numbers::pi - band);
  EXPECT_GE(old.high, std::numbers::pi + band);
  EXPECT_LT(old.high - old.low, 8 * band) << "the band that matters fills the chart";
  EXPECT_GE(old.decimals, 3) << "labels such as 3.142";

  // Recent estimates far from pi stay in view, however many pairs there are.
  const RoundAxis off = EstimateAxis(RecordedRun(100'000'000, 0.0, -0.6));
  EXPECT_LE(off.low, std::numbers::pi - 0.6);
}

TEST(PointsToDraw, KeepAboutOneAPixelWithTheFirstAndTheLatest) {
  Points points;
  for (std::int64_t pairs = 1; pairs <= 1'000'000; pairs += 7) points.push_back({pairs, 3.0});
  const DecadeAxis axis = PairsAxis(points);
  const Points drawn = PointsToDraw(points, axis, 500);
  EXPECT_LE(drawn.size(), 600u);
  EXPECT_GE(drawn.size(), 250u);
  EXPECT_EQ(drawn.front(), points.front());
  EXPECT_EQ(drawn.back(), points.back());
}

}  // namespace
}  // namespace orvanel
