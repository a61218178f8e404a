#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "gui/chart/convergence_chart.h"
#include "gui/main/tick_timer.h"

namespace orvanel::testing {

// The languages Orvanel speaks; English is the source and needs no translation.
inline constexpr const char* kShippedLanguages[] = {"en", "de", "fr"};

// Wakes a tick timer whose clock only a test moves.
class TickTimerPeer {
 public:
  // The ticks due by now, or at full speed a slice.
  static void RunDueTicks(TickTimer& timer) { timer.RunDueTicks(); }
  // A slice at full speed of at most `ticks` ticks.
  static void RunSlice(TickTimer& timer, std::int64_t ticks) { timer.RunSlice(ticks); }
};

// What the chart draws, and where.
class ConvergenceChartPeer {
 public:
  using Layout = ConvergenceChart::Layout;
  static const std::vector<ConvergenceRecord::Point>& Points(const ConvergenceChart& chart) {
    return chart.points_;
  }
  static Layout LayOut(const ConvergenceChart& chart) { return chart.LayOut(); }
  // The labels of the pairs axis, left to right.
  static std::vector<QString> PairsLabels(const ConvergenceChart& chart) {
    return chart.LayOut().pairsLabels;
  }
};

}  // namespace orvanel::testing
