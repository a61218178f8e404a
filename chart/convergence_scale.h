#pragma once

#include <cstdint>
#include <vector>

#include "convergence_record.h"

namespace orvanel {

// The axes of the convergence chart, worked out from the record alone.
//
// The chart shows the last three decades of a run: the points from a
// thousandth of the latest count of pairs on, so that after a million pairs
// the wild first hundred no longer squash the rest. Both axes follow what is
// shown: the pairs axis runs from the first point shown to the latest count
// (never beyond it), the estimate axis holds the points shown, the 95 % band
// over the pairs shown, and pi.

using ChartPoints = std::vector<ConvergenceRecord::Point>;

// The points the chart shows: the last three decades of the run.
[[nodiscard]] ChartPoints ShownPoints(const ChartPoints& points);

// A logarithmic axis of the pairs, from `low` to `high` (the latest count).
// `ticks` are the counts marked on it, left to right: whole decades, and 2 and 5
// times a decade as well where fewer than three decades are marked; at least
// two of them.
struct PairsAxis {
  double low = 1.0;
  double high = 10.0;
  std::vector<std::int64_t> ticks{1, 10};
  friend bool operator==(const PairsAxis&, const PairsAxis&) = default;
};
// The axis of the points shown. Too short a run (less than a factor of two) is
// widened to the left, down to half its latest count, and further to the
// second round count below it where it would hold fewer than two ticks. A
// single pair alone has an axis to 2.
[[nodiscard]] PairsAxis PairsAxisFor(const ChartPoints& shown);

// The ticks to label where not all labels have room, best first: all of them;
// without the 2s; the decades alone; every second, third… decade, counted
// back from the latest; the first and the last tick. Each choice has at least
// two labels.
[[nodiscard]] std::vector<std::vector<std::int64_t>> PairsLabelChoices(const PairsAxis& axis);

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

// The estimate axis: the points shown, the 95 % band over `pairs` (widest at
// its left end), pi, and a little room around them.
[[nodiscard]] RoundAxis EstimateAxisFor(const ChartPoints& shown, const PairsAxis& pairs);

// The points worth drawing on a pairs axis `pixels` wide: about one a pixel at
// most, the first and the latest always; the rest could not be seen and would
// only cost.
[[nodiscard]] ChartPoints PointsToDraw(const ChartPoints& shown, const PairsAxis& axis,
                                       double pixels);

}  // namespace orvanel
