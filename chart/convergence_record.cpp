#include "convergence_record.h"

#include <cmath>
#include <numbers>

namespace orvanel {

namespace {

// One step of kPerDecade to a decade, as a factor of the pairs.
const double kStep = std::pow(10.0, 1.0 / ConvergenceRecord::kPerDecade);

}  // namespace

ConvergenceRecord::ConvergenceRecord(std::vector<Point> points, std::int64_t continued_from)
    : continuedFrom_(continued_from) {
  for (const Point& point : points) Add(point.pairs, point.estimate);
}

void ConvergenceRecord::Restart() {
  points_.clear();
  continuedFrom_ = 0;
  nextKept_ = 1;
  latestApart_ = false;
}

// Points are kept at the counts due; the latest count rides on a point of its
// own after them, which each later count moves on. The counts due lie on a
// fixed grid, so that counts that come in steps (Full Speed) do not stretch it;
// counting steps instead of taking a logarithm keeps the cost at a few
// instructions a trial.
void ConvergenceRecord::Add(std::int64_t pairs, double estimate) {
  if (pairs <= 0 || !(estimate > 0.0)) return;
  if (!points_.empty() && pairs <= points_.back().pairs) {
    if (pairs == points_.back().pairs) points_.back().estimate = estimate;  // drawn again
    return;
  }
  const Point point{pairs, estimate};
  if (latestApart_) {
    points_.back() = point;
  } else {
    points_.push_back(point);
  }
  latestApart_ = pairs < nextKept_;
  while (nextKept_ <= pairs) {
    nextKept_ = nextKept_ < kEveryPairUpTo
                    ? nextKept_ + 1
                    : static_cast<std::int64_t>(std::ceil(static_cast<double>(nextKept_) * kStep));
  }
}

// The estimate is sqrt(6 / q), q the share of n pairs found without a common
// factor. For truly random pairs q estimates p = 6 / pi^2 with variance
// p (1 - p) / n. Near p the estimate changes by d(sqrt(6 / q)) / dq = -pi / (2 p)
// per unit of q, so its standard deviation is
//   sigma(n) = pi / (2 p) * sqrt(p (1 - p) / n) = (pi / 2) * sqrt((1 - p) / (p n)),
// and 95 % of estimates lie within 1.96 sigma(n) of pi.
double ExpectedHalfWidth(double pairs) {
  constexpr double kPi = std::numbers::pi;
  constexpr double kP = 6.0 / (kPi * kPi);
  return 1.96 * (kPi / 2.0) * std::sqrt((1.0 - kP) / (kP * pairs));
}

double ObservedHalfWidth(std::int64_t total, std::int64_t hits, double estimate) {
  const double n = static_cast<double>(total);
  const double q = static_cast<double>(total - hits) / n;
  return 1.96 * (estimate / 2.0) * std::sqrt((1.0 - q) / (q * n));
}

std::optional<ConvergenceSummaryFigures> SummaryFigures(const StatusFigures& shown) {
  if (shown.total <= 0 || shown.relativelyPrime <= 0 || !(shown.estimate > 0.0)) {
    return std::nullopt;
  }
  const std::int64_t hits = std::int64_t{shown.total} - shown.relativelyPrime;
  const double distance = std::abs(shown.estimate - std::numbers::pi);
  ConvergenceSummaryFigures figures{shown.estimate, std::nullopt, distance, shown.total,
                                    distance <= ExpectedHalfWidth(shown.total)};
  if (hits > 0) figures.halfWidth = ObservedHalfWidth(shown.total, hits, shown.estimate);
  return figures;
}

}  // namespace orvanel
