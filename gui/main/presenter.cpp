#include "presenter.h"

namespace orvanel {

Presenter::Presenter(StatusLines& lines, const MonotonicClock& clock)
    : lines_(lines), clock_(clock) {}

void Presenter::Take(const StatusFigures& figures) {
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

void Presenter::RestartRecord(std::int64_t pairs, double estimate) {
  record_.Restart();
  record_.Add(pairs, estimate);
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
  shown_ = figures;
  record_.Add(figures.total, figures.estimate);
  chartBehind_ = true;
}

// A chart that is closed or hidden is drawn when it is shown again.
void Presenter::DrawChart() {
  if (!chart_ || !chart_->isVisible()) return;
  chartBehind_ = false;
  chartDrawn_ = clock_.Now();
  chart_->Refresh(record_, shown_);
}

}  // namespace orvanel
