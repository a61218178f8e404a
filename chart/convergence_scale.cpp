#include "convergence_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

namespace orvanel {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr std::int64_t kRecentSpan = 1000;  // the last three decades of pairs

// The decade below a count and the one above it, counted in whole numbers:
// log10 of 1000 may come out a hair below 3.
int DecadeBelow(std::int64_t pairs) {
  int decade = 0;
  for (std::int64_t power = 10; power <= pairs; power *= 10) ++decade;
  return decade;
}

int DecadeAbove(std::int64_t pairs) {
  int decade = 0;
  for (std::int64_t power = 1; power < pairs; power *= 10) ++decade;
  return decade;
}

// The smallest of 1, 2 and 5 times a power of ten that is at least `raw`.
double RoundStep(double raw) {
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 5.0}) {
    if (factor * magnitude >= raw * (1 - 1e-9)) return factor * magnitude;
  }
  return 10.0 * magnitude;
}

}  // namespace

DecadeAxis PairsAxis(const std::vector<ConvergenceRecord::Point>& points) {
  if (points.empty()) return DecadeAxis{};
  const int first = DecadeBelow(points.front().pairs);
  return DecadeAxis{first, std::max(first + 2, DecadeAbove(points.back().pairs))};
}

std::vector<double> RoundAxis::Ticks() const {
  std::vector<double> ticks;
  const auto count = std::lround((high - low) / step);
  for (long i = 0; i <= count; ++i) ticks.push_back(low + static_cast<double>(i) * step);
  return ticks;
}

RoundAxis RoundAxisFor(double low, double high, int intervals) {
  if (!(high > low)) {
    const double around = std::max(std::abs(low), 1.0) * 1e-6;
    low -= around;
    high += around;
  }
  const double step = RoundStep((high - low) / intervals);
  const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
  return RoundAxis{std::floor(low / step + 1e-9) * step, std::ceil(high / step - 1e-9) * step, step,
                   decimals};
}

RoundAxis EstimateAxis(const std::vector<ConvergenceRecord::Point>& points) {
  const std::int64_t last = points.empty() ? 1 : points.back().pairs;
  const std::int64_t recent = std::max<std::int64_t>(1, last / kRecentSpan);
  const double band = ExpectedHalfWidth(static_cast<double>(recent));
  double low = kPi - band;
  double high = kPi + band;
  for (const auto& point : points) {
    if (point.pairs < recent) continue;
    low = std::min(low, point.estimate);
    high = std::max(high, point.estimate);
  }
  return RoundAxisFor(low, high, 5);
}

std::vector<ConvergenceRecord::Point> PointsToDraw(
    const std::vector<ConvergenceRecord::Point>& points, const DecadeAxis& axis, double pixels) {
  std::vector<ConvergenceRecord::Point> drawn;
  const double per_pixel = (axis.last - axis.first) / std::max(pixels, 1.0);
  double last_drawn = -std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < points.size(); ++i) {
    const double position = std::log10(static_cast<double>(points[i].pairs));
    if (position - last_drawn < per_pixel && i + 1 < points.size() && i > 0) continue;
    drawn.push_back(points[i]);
    last_drawn = position;
  }
  return drawn;
}

}  // namespace orvanel
