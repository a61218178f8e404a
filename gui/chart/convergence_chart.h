#pragma once

#include <QPixmap>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "chart/convergence_record.h"
#include "chart/convergence_scale.h"
#include "chart_colours.h"

class QPainter;

namespace orvanel {

namespace testing {
class ConvergenceChartPeer;
}

// The convergence chart, painted by the program itself: the estimate against
// the pairs asked on a logarithmic axis, pi, and the band in which 95 % of
// estimates of truly random pairs lie, with a legend above. Its colours come
// from the palette in use (chart_colours.h), its axes from the record alone
// (convergence_scale.h). Before the first estimate it is an empty plot that
// says so. For a screen reader it is a chart named "Convergence chart",
// described by the line under it, as shown.
class ConvergenceChart final : public QWidget {
  Q_OBJECT

 public:
  explicit ConvergenceChart(QWidget* parent);

  // Draws the record's points (the last three decades of them); `summary`
  // describes them in words. `continued_from`: the record began at a tally
  // carried from before it, of so many pairs (0: at the first pair).
  void Show(const std::vector<ConvergenceRecord::Point>& points, const QString& summary,
            std::int64_t continued_from = 0);

  [[nodiscard]] QSize minimumSizeHint() const override;
  // Never below the minimum: a wide legend (French, a large font) widens both.
  [[nodiscard]] QSize sizeHint() const override {
    return QSize(640, 400).expandedTo(minimumSizeHint());
  }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // Tests look at what is drawn and where.
  friend class testing::ConvergenceChartPeer;

  // Where each part goes at the chart's present size: the plot, and each text
  // with the rectangle it is drawn in (the vertical title's rectangle upright).
  struct Layout {
    QRectF plot;
    std::vector<std::pair<QString, QRectF>> texts;
    std::vector<QString> pairsLabels;  // left to right
  };
  [[nodiscard]] Layout LayOut() const;

  struct Geometry;
  [[nodiscard]] Geometry Measure(QSizeF size) const;
  void DrawBackdrop(QPainter& painter, const Geometry& geometry) const;
  void DrawBandAndPi(QPainter& painter, const Geometry& geometry,
                     const ChartColours& colours) const;
  void DrawEstimates(QPainter& painter, const Geometry& geometry);

  std::vector<ConvergenceRecord::Point> points_;  // those shown: the last three decades
  std::int64_t continuedFrom_ = 0;                // where it shows, else 0
  PairsAxis pairsAxis_;
  RoundAxis estimateAxis_;
  QPixmap backdrop_;                          // all but the estimate, at the present size and axes
  std::shared_ptr<const Geometry> geometry_;  // where the backdrop put things
  std::optional<std::vector<QPolygonF>> estimateLine_;  // as drawn over the backdrop
};

}  // namespace orvanel
