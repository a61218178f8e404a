#pragma once

#include <QPointer>

#include <chrono>
#include <cstdint>
#include <optional>

#include "chart/convergence_record.h"
#include "estimator/trial_tally.h"
#include "gui/chart/convergence_window.h"
#include "gui/platform/monotonic_clock.h"
#include "status_lines.h"

namespace orvanel {

// The one place that decides when what the trials found is drawn: the status
// lines, and the convergence chart with the record behind it.
//
// The estimator hands over new figures up to four times a tick, and a run of
// ticks (the due ticks of a wake-up, or a slice at full speed) may hold
// hundreds of thousands; nobody can read them that often, and drawing is what
// costs. So figures handed over during a run are only noted, and drawn once the
// run is over: the status lines at most every kLinesInterval while the trials go
// on (every third wake-up, about twenty times a second), the chart at most every
// kChartInterval; both at once when the trials stop. Figures handed over
// outside a run (Reset, a loaded tally) are drawn at once.
//
// Every figure handed over is a point of the record (which keeps those it
// needs), kept from the start of a run whether or not the chart is open; the
// chart's record, axes and summary always show the same moment.
class Presenter {
 public:
  static constexpr std::chrono::milliseconds kLinesInterval{40};
  static constexpr std::chrono::milliseconds kChartInterval{500};

  Presenter(StatusLines& lines, const MonotonicClock& clock);

  // New figures from the estimator.
  void Take(const StatusFigures& figures);
  // A run of ticks; after it, whether the trials go on.
  void BeginRun() { inRun_ = true; }
  void EndRun(bool trials_go_on);
  // The trials have stopped outside a run: what is noted is drawn now.
  void DrawNoted();

  // The record starts anew from nothing (Reset, a new pair file), whether or
  // not the chart is open.
  void RestartRecord();
  // The record goes on from `record`, carried with the loaded tally `loaded`.
  void ContinueRecord(ConvergenceRecord record, const StatusFigures& loaded);
  [[nodiscard]] const ConvergenceRecord& Record() const { return record_; }

  // The chart to keep drawn; it is drawn at once with the whole record.
  void Follow(ConvergenceWindow* chart);

 private:
  void DrawLines(const StatusFigures& figures);
  void DrawChart();

  StatusLines& lines_;
  const MonotonicClock& clock_;
  bool inRun_ = false;
  std::optional<StatusFigures> noted_;
  std::chrono::nanoseconds linesDrawn_{};
  ConvergenceRecord record_;
  StatusFigures charted_;  // the figures of the record's latest point
  QPointer<ConvergenceWindow> chart_;
  bool chartBehind_ = false;
  std::chrono::nanoseconds chartDrawn_{};
};

}  // namespace orvanel
