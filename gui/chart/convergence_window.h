#pragma once

#include <QWidget>

#include "chart/convergence_record.h"
#include "estimator/trial_tally.h"
#include "gui/platform/platform_services.h"
#include "image_writes.h"

class QImage;
class QLabel;

namespace orvanel {

class ConvergenceChart;

// The convergence chart's window: the chart, and under it one line with the
// current estimate, its 95 % half-width and its distance from pi, and Save
// Image…. A window of its own beside the main window, which works on as always
// while it is open.
class ConvergenceWindow final : public QWidget {
  Q_OBJECT

 public:
  // Save Image… writes through `writes`, which outlives the window.
  ConvergenceWindow(SaveDialog& save_dialog, ImageWrites& writes, QWidget* parent);

  // Draws the record and the figures of its latest point.
  void Refresh(const ConvergenceRecord& record, const StatusFigures& latest);

  // What the window shows, the chart and the line under it, at the window's
  // size and in its palette: what Save Image… writes.
  [[nodiscard]] QImage Image() const;

 private:
  void SaveImage();

  SaveDialog& saveDialog_;
  ImageWrites& writes_;
  ConvergenceChart* chart_;
  QLabel* summary_;
};

// The line under the chart: "3.1416 ± 0.0040 (95 %), 0.0003 from pi" in the
// user's language and with the user's decimal separator; a short note while there
// is no estimate yet.
[[nodiscard]] QString ConvergenceSummary(const StatusFigures& shown);

}  // namespace orvanel
