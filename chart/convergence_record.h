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
// The record: the estimate against the number of pairs asked. It is kept by
// count, never by time, so that a run of any length and speed (a file of a
// hundred pairs, Full Speed to the limit) leaves the same shape: every pair's
// estimate while the run is short, then kPerDecade points evenly spread on
// the logarithmic pairs axis, the latest always among them. That bounds it:
// the 2^31 pairs of the tally's limit make fewer than kCapacity points.
class ConvergenceRecord {
 public:
  struct Point {
    std::int64_t pairs = 0;
    double estimate = 0.0;
    friend bool operator==(const Point&, const Point&) = default;
  };

  static constexpr std::int64_t kEveryPairUpTo = 300;
  static constexpr int kPerDecade = 200;
  static constexpr std::size_t kCapacity = 2000;

  ConvergenceRecord() = default;
  // A record carried from an earlier run. `continued_from`: the count of the
  // tally it began at, where the history before it was unknown; 0 when it
  // begins at the first pair.
  ConvergenceRecord(std::vector<Point> points, std::int64_t continued_from);

  // A new record: the tally was zeroed (Reset, a new pair file).
  void Restart();

  // Notes the estimate after `pairs` pairs. Points without an estimate or with a
  // count the chart cannot place (none or fewer pairs than the last) are passed
  // over; a point too close to the one kept before takes the latest's place.
  void Add(std::int64_t pairs, double estimate);

  [[nodiscard]] const std::vector<Point>& Points() const { return points_; }
  [[nodiscard]] std::int64_t ContinuedFrom() const { return continuedFrom_; }

 private:
  std::vector<Point> points_;
  std::int64_t continuedFrom_ = 0;
  std::int64_t nextKept_ = 1;  // the count from which the next point is kept
  bool latestApart_ = false;   // the last point is the latest count, not one kept
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
