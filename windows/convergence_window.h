#pragma once

#include <QWidget>

#include "convergence_record.h"
#include "platform_services.h"
#include "trial_tally.h"

class QLabel;
class QLineSeries;
class QChart;
class QChartView;
class QLogValueAxis;
class QValueAxis;

namespace orvanel {

// The convergence chart: the estimate against the number of pairs asked, on a
// logarithmic axis, with pi and the band in which 95 % of estimates should lie
// if the pairs were truly random; under it one line with the current estimate,
// its 95 % half-width and its distance from pi. A window of its own beside the
// main window, which works on as always while it is open.
class ConvergenceWindow final : public QWidget {
  Q_OBJECT

 public:
  ConvergenceWindow(SaveDialog& save_dialog, Messenger& messenger, QWidget* parent);

  // Draws the record and the figures of the status lines as they are now.
  void Refresh(const ConvergenceRecord& record, const StatusFigures& shown);

 private:
  void SaveImage();

  SaveDialog& saveDialog_;
  Messenger& messenger_;
  QChart* chart_;
  QChartView* view_;
  QLineSeries* estimates_;
  QLineSeries* pi_;
  QLineSeries* upper_;
  QLineSeries* lower_;
  QLogValueAxis* pairsAxis_;
  QValueAxis* estimateAxis_;
  QLabel* summary_;
};

// The line under the chart: "3.1416 ± 0.0040 (95 %), 0.0003 from pi" in the
// user's language and with the user's decimal separator; a short note while there
// is no estimate yet.
[[nodiscard]] QString ConvergenceSummary(const StatusFigures& shown);

}  // namespace orvanel
