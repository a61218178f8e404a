#pragma once

#include <QColor>

class QPalette;

namespace orvanel {

// The colours of the convergence chart, taken from the palette in use or derived
// from it, so that the chart reads as well on a dark desktop as on a light one:
// text stands out from the plot's background at least 4.5 : 1, every line at
// least 3 : 1 (the usual thresholds for accessible text and graphics), and the
// estimate by its lightness from the lines it meets, so that it is told apart
// in grey as in colour.
struct ChartColours {
  QColor background;  // of the plot and its margins
  QColor text;        // labels, titles, legend and axes
  QColor estimate;
  QColor pi;
  QColor bandEdge;
  QColor bandFill;          // translucent, under everything else
  QColor bandOnBackground;  // what the fill looks like on the background
};

[[nodiscard]] ChartColours ChartColoursFor(const QPalette& palette);

}  // namespace orvanel
