#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "estimator/trial_tally.h"

namespace orvanel {

// What the convergence chart shows, worked out without any toolkit: the window
// only draws it.
//
// The record: the estimate against the number of pairs asked, one point each
// time the status lines are drawn. It is kept from the start of a run
// whether or not the chart is open. Its memory and the cost of drawing it stay
// bounded for runs of any length: the points are kept evenly spread on a
// logarithmic scale of the pairs, as the chart shows them, at most kCapacity of
// them; the first and the latest point always stay.
class ConvergenceRecord {
 public:
  struct Point {
    std::int64_t pairs = 0;
    double estimate = 0.0;
    friend bool operator==(const Point&, const Point&) = default;
  };

  static constexpr std::size_t kCapacity = 4000;

  // A new record: the tally was zeroed (Reset, a new pair file).
  void Restart() { points_.clear(); }

  // Notes the estimate after `pairs` pairs. Points without an estimate or with a
  // count the chart cannot place (none or fewer pairs than the last) are passed
  // over.
  void Add(std::int64_t pairs, double estimate);

  [[nodiscard]] const std::vector<Point>& Points() const { return points_; }

 private:
  void Thin();

  std::vector<Point> points_;
};

// 95 % of estimates after `pairs` truly random pairs lie within pi plus or minus
// this. See the definition for where it comes from.
[[nodiscard]] double ExpectedHalfWidth(double pairs);

// The same half-width from the counts themselves: the share of pairs without a
// common factor as observed, around the estimate as it stands.
[[nodiscard]] double ObservedHalfWidth(std::int64_t total, std::int64_t hits, double estimate);

// The figures of the lines under the chart: the estimate, the half-width of its
// 95 % interval from the counts (none before the first common factor: the
// counts give no spread yet), its distance from pi, the pairs asked, and
// whether the estimate lies in the band where 95 % of runs of truly random
// pairs lie; nothing while there is no estimate to speak of.
struct ConvergenceSummaryFigures {
  double estimate = 0.0;
  std::optional<double> halfWidth;
  double distanceFromPi = 0.0;
  std::int64_t pairs = 0;
  bool insideBand = false;
};
[[nodiscard]] std::optional<ConvergenceSummaryFigures> SummaryFigures(const StatusFigures& shown);

}  // namespace orvanel
