#pragma once

#include <vector>

#include "estimator/convergence_record.h"

namespace orvanel {

// The axes of the convergence chart, worked out from the record alone.

// The pairs axis: whole decades, from 10^first to 10^last, never fewer than
// three ticks (a run of one pair shows 1, 10 and 100).
struct DecadeAxis {
  int first = 0;
  int last = 2;
  friend bool operator==(const DecadeAxis&, const DecadeAxis&) = default;
};
[[nodiscard]] DecadeAxis PairsAxis(const std::vector<ConvergenceRecord::Point>& points);

// A linear axis on round steps (1, 2 or 5 times a power of ten) from `low` to
// `high`, both on a step; `decimals` is what a label of the step needs (0.2
// needs one, 0.001 three).
struct RoundAxis {
  double low = 0.0;
  double high = 1.0;
  double step = 1.0;
  int decimals = 0;
  [[nodiscard]] std::vector<double> Ticks() const;
  friend bool operator==(const RoundAxis&, const RoundAxis&) = default;
};
// The axis on round steps that holds `low` to `high` in about `intervals` steps.
[[nodiscard]] RoundAxis RoundAxisFor(double low, double high, int intervals);

// The estimate axis: what the eye needs to follow the run now. It holds pi, and
// the estimates and the 95 % band over the last three decades of pairs of the
// run (from a thousandth of the pairs so far); earlier estimates that lie
// outside run off the chart's edge instead of squashing the rest.
[[nodiscard]] RoundAxis EstimateAxis(const std::vector<ConvergenceRecord::Point>& points);

// The points worth drawing on a pairs axis `pixels` wide: about one a pixel at
// most, the first and the latest always; the rest could not be seen and would
// only cost.
[[nodiscard]] std::vector<ConvergenceRecord::Point> PointsToDraw(
    const std::vector<ConvergenceRecord::Point>& points, const DecadeAxis& axis, double pixels);

}  // namespace orvanel
