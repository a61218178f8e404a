#include "convergence_record.h"

#include <cmath>
#include <numbers>

namespace orvanel {

void ConvergenceRecord::Add(std::int64_t pairs, double estimate) {
  if (pairs <= 0 || !(estimate > 0.0)) return;
  if (!points_.empty() && pairs <= points_.back().pairs) {
    if (pairs < points_.back().pairs) return;
    points_.back().estimate = estimate;  // the same count drawn again
    return;
  }
  // A point closer to the one before the latest than an even share of the whole
  // span takes the latest one's place instead of adding to the record.
  const std::size_t count = points_.size();
  if (count >= 2) {
    const double first = std::log(static_cast<double>(points_.front().pairs));
    const double position = std::log(static_cast<double>(pairs));
    const double spacing = (position - first) / static_cast<double>(kCapacity / 2);
    if (position - std::log(static_cast<double>(points_[count - 2].pairs)) < spacing) {
      points_.back() = Point{pairs, estimate};
      return;
    }
  }
  points_.push_back(Point{pairs, estimate});
  if (points_.size() > kCapacity) Thin();
}

// The span grows with the run, and the points kept earlier lie closer together
// than its even share has become: keeps the first and the latest point and, in
// between, a point only where it lies at least that share beyond the last point
// kept. That halves the record, so this happens once per kCapacity / 2 new
// points, and its cost per point stays constant.
void ConvergenceRecord::Thin() {
  const double first = std::log(static_cast<double>(points_.front().pairs));
  const double latest = std::log(static_cast<double>(points_.back().pairs));
  const double spacing = (latest - first) / static_cast<double>(kCapacity / 2);
  std::vector<Point> kept;
  kept.reserve(kCapacity / 2 + 2);
  kept.push_back(points_.front());
  double last_kept = first;
  for (std::size_t i = 1; i + 1 < points_.size(); ++i) {
    const double position = std::log(static_cast<double>(points_[i].pairs));
    if (position - last_kept >= spacing) {
      kept.push_back(points_[i]);
      last_kept = position;
    }
  }
  kept.push_back(points_.back());
  points_ = std::move(kept);
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
