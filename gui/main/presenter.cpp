#include "presenter.h"

#include <utility>

namespace orvanel {

Presenter::Presenter(StatusLines& lines, const MonotonicClock& clock)
    : lines_(lines), clock_(clock) {}

void Presenter::Take(const StatusFigures& figures) {
  record_.Add(figures.total, figures.estimate);
  charted_ = figures;
  chartBehind_ = true;
  if (inRun_) {
    noted_ = figures;
    return;
  }
  DrawLines(figures);
  DrawChart();
}

void Presenter::EndRun(bool trials_go_on) {
  inRun_ = false;
  if (!trials_go_on) {
    DrawNoted();
    return;
  }
  const auto now = clock_.Now();
  if (noted_ && now - linesDrawn_ >= kLinesInterval) DrawLines(*noted_);
  if (chartBehind_ && now - chartDrawn_ >= kChartInterval) DrawChart();
}

void Presenter::DrawNoted() {
  if (noted_) DrawLines(*noted_);
  if (chartBehind_) DrawChart();
}

// The lines keep what they show until the next figures: those of the tally
// that ended, which never reach the new record.
void Presenter::RestartRecord() {
  ContinueRecord(ConvergenceRecord(), StatusFigures{});
}

void Presenter::ContinueRecord(ConvergenceRecord record, const StatusFigures& loaded) {
  record_ = std::move(record);
  charted_ = loaded;
  chartBehind_ = true;
  if (!inRun_) DrawChart();
}

void Presenter::Follow(ConvergenceWindow* chart) {
  chart_ = chart;
  chartBehind_ = true;
  DrawChart();
}

void Presenter::DrawLines(const StatusFigures& figures) {
  noted_.reset();
  linesDrawn_ = clock_.Now();
  lines_.Show(figures);
}

// A chart that is closed or hidden is drawn when it is shown again.
void Presenter::DrawChart() {
  if (!chart_ || !chart_->isVisible()) return;
  chartBehind_ = false;
  chartDrawn_ = clock_.Now();
  chart_->Refresh(record_, charted_);
}

}  // namespace orvanel
